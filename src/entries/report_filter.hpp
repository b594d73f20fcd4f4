#pragma once
// What the entries table shows of the report: the rows of one kind of verdict (all, the misses,
// those not converted, the errors, the entries the meet's rules refuse, the withdrawn) whose
// swimmer or club holds the searched text, in the order of the column the user sorts by.

#include <QSortFilterProxyModel>
#include <QString>

namespace et::entries {

class ReportFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    enum class Show { All, Misses, NotConverted, Errors, Ineligible, Withdrawn };

    explicit ReportFilter(QObject* parent = nullptr);

    void setShow(Show show);
    Show show() const { return show_; }
    // Case-insensitive, anywhere in the swimmer's name or the club's; empty shows every row.
    void setSearch(const QString& text);
    const QString& search() const { return search_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    Show show_ = Show::All;
    QString search_;
};

} // namespace et::entries
