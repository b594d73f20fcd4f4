#include "entries/report_print.hpp"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "entries/report_model.hpp"

namespace et::entries {

namespace {

struct PrintColumn {
    const char* header;
    bool flexible; // gives way when the page is too narrow for every column at its width
};

constexpr std::array<PrintColumn, 9> kColumns = {{
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Swimmer"), true},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Event"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Entry time"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Entry course"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Converted"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Qualifying swim"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Standard"), true},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Verdict"), false},
    {QT_TRANSLATE_NOOP("et::entries::ReportModel", "Reason"), true},
}};

using Cells = std::array<QString, kColumns.size()>;

Cells headerCells() {
    Cells headers;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        headers[i] = ReportModel::tr(kColumns[i].header);
    }
    return headers;
}

Cells cells(const et::meet::ReportRow& row) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    return {text(row.athlete),      text(row.event),           EntryTimeText(row),
            text(row.entry_course), text(row.converted_time),  QualifyingText(row),
            StandardText(row),      VerdictLabel(row.verdict), text(row.reason)};
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

    // Each column as wide as its widest text; when they do not fit the page, the flexible
    // columns share what the others leave, in proportion to their widths.
    void fitColumns(const std::vector<Cells>& rows) {
        // Measured as the painter will draw them.
        painter_.setFont(body_);
        const QFontMetricsF bodyMetrics(painter_.fontMetrics());
        painter_.setFont(bold_);
        const QFontMetricsF boldMetrics(painter_.fontMetrics());
        const double gap = line_ * 0.6;
        const Cells headers = headerCells();
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            widths_[i] = boldMetrics.horizontalAdvance(headers[i]) + gap;
            for (const Cells& texts : rows) {
                widths_[i] = std::max(widths_[i], bodyMetrics.horizontalAdvance(texts[i]) + gap);
            }
        }
        double fixed = 0.0;
        double flexible = 0.0;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            (kColumns[i].flexible ? flexible : fixed) += widths_[i];
        }
        if (fixed + flexible <= width_) {
            return;
        }
        // Narrowest first, each flexible column takes its width or an even share of what is
        // left, whichever is less; a long reason cannot squeeze the swimmer's name away.
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            if (kColumns[i].flexible) {
                order.push_back(i);
            }
        }
        std::sort(order.begin(), order.end(),
                  [this](std::size_t a, std::size_t b) { return widths_[a] < widths_[b]; });
        double left = std::max(width_ - fixed, 0.0);
        for (std::size_t n = 0; n < order.size(); ++n) {
            const double even = left / static_cast<double>(order.size() - n);
            widths_[order[n]] = std::min(widths_[order[n]], even);
            left -= widths_[order[n]];
        }
    }

    void row(const Cells& texts, bool header) {
        if (y_ + line_ > height_ - line_ * 2) {
            newPage(true);
        }
        painter_.setFont(header ? bold_ : body_);
        double x = 0.0;
        const QFontMetricsF metrics(painter_.fontMetrics());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double w = widths_[i];
            const QString shown = metrics.elidedText(texts[i], Qt::ElideRight, w - line_ * 0.6);
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
        row(headerCells(), true);
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    const PrintHeading& heading_;
    QFont body_;
    QFont bold_;
    QFont title_;
    QString club_;
    std::array<double, kColumns.size()> widths_{};
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
    // A device with next to no margins of its own (a PDF file) gets those of a printed page.
    const double deviceMargin = device.pageLayout().margins(QPageLayout::Millimeter).left();
    if (deviceMargin < 10.0) {
        const double margin = (15.0 - deviceMargin) / 25.4 * device.logicalDpiX();
        const QRect page = painter.viewport();
        painter.setViewport(page.adjusted(static_cast<int>(margin), static_cast<int>(margin),
                                          -static_cast<int>(margin), -static_cast<int>(margin)));
        painter.setWindow(0, 0, painter.viewport().width(), painter.viewport().height());
    }
    PageWriter writer(device, painter, heading);
    std::vector<Cells> texts;
    texts.reserve(rows.size());
    for (const et::meet::ReportRow* row : rows) {
        texts.push_back(cells(*row));
    }
    writer.fitColumns(texts);
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
