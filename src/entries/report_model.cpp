#include "entries/report_model.hpp"

#include "check/swim_values.hpp"

#include <QApplication>
#include <QRegularExpression>
#include <QStyle>

#include <limits>
#include <utility>

namespace et::entries {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

} // namespace

double TimeSortKey(const QString& value) {
    // Fields from the right: the last is the fraction of a second, then seconds, minutes, hours.
    const QStringList fields = value.trimmed().split(QRegularExpression(QStringLiteral("[.:]")));
    if (fields.size() < 2) {
        return std::numeric_limits<double>::infinity();
    }
    double seconds = 0.0;
    for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
        bool ok = false;
        const int field = fields[i].toInt(&ok);
        if (!ok) {
            return std::numeric_limits<double>::infinity();
        }
        seconds = seconds * 60.0 + field;
    }
    bool ok = false;
    const QString& fraction = fields.back();
    const double part = QStringLiteral("0.%1").arg(fraction).toDouble(&ok);
    if (!ok || fraction.isEmpty()) {
        return std::numeric_limits<double>::infinity();
    }
    return seconds + part;
}

QString EntryTimeText(const et::meet::ReportRow& row) {
    return text(et::meet::SwimmersTime(row.entry_time));
}

QString StandardText(const et::meet::ReportRow& row) {
    if (row.standard_time.empty()) {
        return text(row.standard);
    }
    return QStringLiteral("%1 (%2)").arg(text(row.standard),
                                         text(et::meet::SwimmersTime(row.standard_time)));
}

QString QualifyingText(const et::meet::ReportRow& row) {
    if (row.qualifying_time.empty()) {
        return {};
    }
    return QStringLiteral("%1 (%2)").arg(text(et::meet::SwimmersTime(row.qualifying_time)),
                                         text(row.qualifying_course));
}

QString VerdictLabel(et::meet::Verdict verdict) {
    const std::string_view label = et::meet::VerdictText(verdict);
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

ReportModel::ReportModel(QObject* parent) : QAbstractTableModel(parent) {
    // Each verdict has its own shape as well as its own word, never a colour alone.
    const QStyle* style = QApplication::style();
    using V = et::meet::Verdict;
    const auto icon = [style](QStyle::StandardPixmap pixmap) {
        return style->standardIcon(pixmap);
    };
    icons_[static_cast<std::size_t>(V::Meets)] = icon(QStyle::SP_DialogApplyButton);
    icons_[static_cast<std::size_t>(V::Misses)] = icon(QStyle::SP_MessageBoxWarning);
    icons_[static_cast<std::size_t>(V::NoStandard)] = icon(QStyle::SP_MessageBoxQuestion);
    icons_[static_cast<std::size_t>(V::NoTime)] = icon(QStyle::SP_MediaStop);
    icons_[static_cast<std::size_t>(V::NotConverted)] = icon(QStyle::SP_MessageBoxInformation);
    icons_[static_cast<std::size_t>(V::Error)] = icon(QStyle::SP_MessageBoxCritical);
    icons_[static_cast<std::size_t>(V::Ineligible)] = icon(QStyle::SP_BrowserStop);
    icons_[static_cast<std::size_t>(V::Withdrawn)] = icon(QStyle::SP_DialogCancelButton);
}

void ReportModel::setRows(std::vector<et::meet::ReportRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QIcon ReportModel::verdictIcon(et::meet::Verdict verdict) const {
    return icons_[static_cast<std::size_t>(verdict)];
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const et::meet::ReportRow& entry = row(index.row());
    const auto column = static_cast<Column>(index.column());
    if (role == Qt::ToolTipRole) {
        // A long reason, name or club may be cut off by its column; the whole of it shows on
        // hovering.
        const std::string* whole = column == Reason    ? &entry.reason
                                   : column == Swimmer ? &entry.athlete
                                   : column == Club    ? &entry.club
                                                       : nullptr;
        return whole != nullptr && !whole->empty() ? QVariant(text(*whole)) : QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == SortRole) {
        switch (column) {
        case Club:
            return text(entry.club);
        case Swimmer:
            return text(entry.athlete);
        case Event:
            return text(entry.event);
        case EntryTime:
            return role == SortRole ? QVariant(TimeSortKey(text(entry.entry_time)))
                                    : QVariant(EntryTimeText(entry));
        case EntryCourse:
            return text(entry.entry_course);
        case Converted:
            return role == SortRole ? QVariant(TimeSortKey(text(entry.converted_time)))
                                    : QVariant(text(entry.converted_time));
        case Qualifying:
            return role == SortRole ? QVariant(TimeSortKey(text(entry.qualifying_time)))
                                    : QVariant(QualifyingText(entry));
        case Standard:
            return StandardText(entry);
        case Verdict:
            return role == SortRole ? QVariant(static_cast<int>(entry.verdict))
                                    : QVariant(VerdictLabel(entry.verdict));
        case Reason:
            return text(entry.reason);
        }
        return {};
    }
    if (column == Verdict && role == Qt::DecorationRole) {
        return verdictIcon(entry.verdict);
    }
    if (column == Verdict && role == VerdictRole) {
        return static_cast<int>(entry.verdict);
    }
    return {};
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (static_cast<Column>(section)) {
    case Club:
        return tr("Club");
    case Swimmer:
        return tr("Swimmer");
    case Event:
        return tr("Event");
    case EntryTime:
        return tr("Entry time");
    case EntryCourse:
        return tr("Entry course");
    case Converted:
        return tr("Converted");
    case Qualifying:
        return tr("Qualifying swim");
    case Standard:
        return tr("Standard");
    case Verdict:
        return tr("Verdict");
    case Reason:
        return tr("Reason");
    }
    return {};
}

} // namespace et::entries
