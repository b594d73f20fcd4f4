#pragma once
// The printed report, for sending to clubs: the entries grouped by club, each club from a new
// page, and on every page the meet's name, its course and the counts of the whole check. Each
// club's pages end with its fees, so that they can be sent to the club as its invoice.

#include <QString>
#include <QStringList>

#include <vector>

#include "check/fees.hpp"
#include "lenex/lenex_entries.hpp"

class QPagedPaintDevice;

namespace et::entries {

struct PrintHeading {
    QString meet;   // the meet's name (and city, date)
    QString course; // the course the entries were checked in
    QString counts; // the counts line of the window
};

// Lays the rows out on the device's pages, club after club in the order the clubs first appear
// in rows, keeping the rows' order within each club, and after a club's rows the lines and
// total of its fees (a club without fees has none). Returns the number of pages; 0 when the
// device could not be painted on.
int PrintReport(QPagedPaintDevice& device, const PrintHeading& heading,
                const std::vector<const et::meet::ReportRow*>& rows,
                const et::meet::MeetFees& fees = {});

} // namespace et::entries
