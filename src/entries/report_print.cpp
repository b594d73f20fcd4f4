#include "entries/report_print.hpp"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <array>
#include <map>
#include <string>

#include "entries/report_model.hpp"

namespace et::entries {

namespace {

struct PrintColumn {
    const char* header;
    double share; // of the page's width
};

constexpr std::array<PrintColumn, 8> kColumns = {{
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Swimmer"), 0.19},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Event"), 0.10},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Entry time"), 0.10},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Entry course"), 0.08},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Converted"), 0.08},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Standard"), 0.17},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Verdict"), 0.09},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Reason"), 0.19},
}};

std::array<QString, kColumns.size()> cells(const et::meet::ReportRow& row) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    QString standard = text(row.standard);
    if (!row.standard_time.empty()) {
        standard += QStringLiteral(" (%1)").arg(text(row.standard_time));
    }
    return {text(row.athlete),         text(row.event),          text(row.entry_time),
            text(row.entry_course),    text(row.converted_time), standard,
            VerdictLabel(row.verdict), text(row.reason)};
}

// Groups the rows by club, clubs in order of first appearance.
std::vector<std::pair<QString, std::vector<const et::meet::ReportRow*>>>
byClub(const std::vector<const et::meet::ReportRow*>& rows) {
    std::vector<std::pair<QString, std::vector<const et::meet::ReportRow*>>> groups;
    std::map<std::string, std::size_t> where;
    for (const et::meet::ReportRow* row : rows) {
        const auto [it, added] = where.emplace(row->club, groups.size());
        if (added) {
            groups.emplace_back(QString::fromStdString(row->club),
                                std::vector<const et::meet::ReportRow*>{});
        }
        groups[it->second].second.push_back(row);
    }
    return groups;
}

class PageWriter {
public:
    PageWriter(QPagedPaintDevice& device, QPainter& painter, const PrintHeading& heading)
        : device_(device), painter_(painter), heading_(heading) {
        width_ = painter.viewport().width();
        height_ = painter.viewport().height();
        body_ = painter.font();
        body_.setPointSizeF(9.0);
        bold_ = body_;
        bold_.setBold(true);
        title_ = bold_;
        title_.setPointSizeF(14.0);
        line_ = QFontMetricsF(body_, &device).height() * 1.25;
    }

    void startClub(const QString& club) {
        club_ = club;
        newPage(false);
    }

    void row(const std::array<QString, kColumns.size()>& texts, bool header) {
        if (y_ + line_ > height_ - line_ * 2) {
            newPage(true);
        }
        painter_.setFont(header ? bold_ : body_);
        double x = 0.0;
        const QFontMetricsF metrics(painter_.font(), &device_);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double w = width_ * kColumns[i].share;
            const QString shown = metrics.elidedText(texts[i], Qt::ElideRight, w - line_ * 0.3);
            painter_.drawText(QRectF(x, y_, w, line_), Qt::AlignLeft | Qt::AlignVCenter, shown);
            x += w;
        }
        y_ += line_;
        if (header) {
            painter_.drawLine(QPointF(0.0, y_), QPointF(width_, y_));
        }
    }

    int pages() const { return pages_; }

private:
    void newPage(bool continued) {
        if (pages_ > 0) {
            device_.newPage();
        }
        ++pages_;
        y_ = 0.0;
        painter_.setFont(title_);
        const double titleLine = QFontMetricsF(title_, &device_).height() * 1.2;
        painter_.drawText(QRectF(0.0, y_, width_, titleLine), Qt::AlignLeft | Qt::AlignVCenter,
                          heading_.meet);
        y_ += titleLine;
        painter_.setFont(body_);
        for (const QString& line : {heading_.course, heading_.counts}) {
            painter_.drawText(QRectF(0.0, y_, width_, line_), Qt::AlignLeft | Qt::AlignVCenter,
                              line);
            y_ += line_;
        }
        y_ += line_ * 0.5;
        painter_.setFont(bold_);
        const QString club = continued ? QObject::tr("%1 (continued)").arg(club_) : club_;
        painter_.drawText(QRectF(0.0, y_, width_, line_), Qt::AlignLeft | Qt::AlignVCenter, club);
        painter_.setFont(body_);
        painter_.drawText(QRectF(0.0, height_ - line_, width_, line_),
                          Qt::AlignRight | Qt::AlignVCenter, QObject::tr("Page %1").arg(pages_));
        y_ += line_ * 1.5;
        std::array<QString, kColumns.size()> headers;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            headers[i] = ReportModel::tr(kColumns[i].header);
        }
        row(headers, true);
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    const PrintHeading& heading_;
    QFont body_;
    QFont bold_;
    QFont title_;
    QString club_;
    double width_ = 0.0;
    double height_ = 0.0;
    double line_ = 0.0;
    double y_ = 0.0;
    int pages_ = 0;
};

} // namespace

int PrintReport(QPagedPaintDevice& device, const PrintHeading& heading,
                const std::vector<const et::meet::ReportRow*>& rows) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    PageWriter writer(device, painter, heading);
    const auto groups = byClub(rows);
    if (groups.empty()) {
        writer.startClub(QObject::tr("No entries"));
    }
    for (const auto& [club, clubRows] : groups) {
        writer.startClub(club);
        for (const et::meet::ReportRow* row : clubRows) {
            writer.row(cells(*row), false);
        }
    }
    painter.end();
    return writer.pages();
}

} // namespace et::entries
