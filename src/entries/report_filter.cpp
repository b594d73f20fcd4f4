#include "entries/report_filter.hpp"

#include "entries/report_model.hpp"

#include <optional>

namespace et::entries {

ReportFilter::ReportFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(ReportModel::SortRole);
}

void ReportFilter::setShow(Show show) {
    if (show == show_) {
        return;
    }
    show_ = show;
    invalidateRowsFilter();
}

void ReportFilter::setSearch(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed == search_) {
        return;
    }
    search_ = trimmed;
    invalidateRowsFilter();
}

bool ReportFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* model = sourceModel();
    const auto cell = [&](int column) { return model->index(sourceRow, column, sourceParent); };
    using V = et::meet::Verdict;
    const auto verdict =
        static_cast<V>(cell(ReportModel::Verdict).data(ReportModel::VerdictRole).toInt());
    // The one verdict each choice but All shows.
    const auto shown = [this]() -> std::optional<V> {
        switch (show_) {
        case Show::All:
            break;
        case Show::Misses:
            return V::Misses;
        case Show::NotConverted:
            return V::NotConverted;
        case Show::Errors:
            return V::Error;
        case Show::Ineligible:
            return V::Ineligible;
        case Show::Withdrawn:
            return V::Withdrawn;
        }
        return std::nullopt;
    }();
    if (shown && verdict != *shown) {
        return false;
    }
    if (search_.isEmpty()) {
        return true;
    }
    return cell(ReportModel::Swimmer).data().toString().contains(search_, Qt::CaseInsensitive) ||
           cell(ReportModel::Club).data().toString().contains(search_, Qt::CaseInsensitive);
}

bool ReportFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString) {
        // The sort is stable: equal texts keep the report's order, so a sort by club leaves each
        // club's entries as the file has them.
        return QString::localeAwareCompare(a.toString().toCaseFolded(),
                                           b.toString().toCaseFolded()) < 0;
    }
    return QSortFilterProxyModel::lessThan(left, right);
}

} // namespace et::entries
