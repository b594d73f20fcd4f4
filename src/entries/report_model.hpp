#pragma once
// The entries table: one row per entry of the meet, in the meet library's report order, with
// the columns the entry secretary reads, first what is read first (the swimmer, the event, the
// entry's time and pool, the converted time, the qualifying swim when it is not the entry time,
// the verdict and its reason), then the standard and the club. The model only shows the rows
// the library made; it decides nothing.

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <vector>

#include "lenex/lenex_entries.hpp"

namespace et::entries {

class ReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Swimmer,
        Event,
        EntryTime,
        EntryCourse,
        Converted,
        Qualifying,
        Verdict,
        Reason,
        Standard,
        Club
    };
    static constexpr int kColumnCount = Club + 1;

    // Under this role every cell gives the value the column sorts by: times as seconds (no time
    // last), texts as they are.
    static constexpr int SortRole = Qt::UserRole;
    // Under this role the Verdict column gives the et::meet::Verdict as an int.
    static constexpr int VerdictRole = Qt::UserRole + 1;

    explicit ReportModel(QObject* parent = nullptr);

    void setRows(std::vector<et::meet::ReportRow> rows);
    const std::vector<et::meet::ReportRow>& rows() const { return rows_; }
    const et::meet::ReportRow& row(int index) const {
        return rows_[static_cast<std::size_t>(index)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The icon shown beside a verdict's text.
    QIcon verdictIcon(et::meet::Verdict verdict) const;

private:
    std::vector<et::meet::ReportRow> rows_;
    std::array<QIcon, 8> icons_;
};

// A time as the meet file ("00:01:02.34") or the converted box ("1.01.4", "59.3") writes it, in
// seconds, for sorting; anything else (NT, empty) sorts after every time.
double TimeSortKey(const QString& text);

// The text of a verdict as the report writes it.
QString VerdictLabel(et::meet::Verdict verdict);

// A row's cells as the table and the printed report show them: times as swimmers write them
// ("1:22.55", "36.83"), a standard with the time it asks for ("County (1:05.00)"), the
// qualifying swim with its course ("29.80 (LCM)") when the check used MEETINFO's.
QString EntryTimeText(const et::meet::ReportRow& row);
QString StandardText(const et::meet::ReportRow& row);
QString QualifyingText(const et::meet::ReportRow& row);

} // namespace et::entries
