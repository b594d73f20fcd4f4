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

    // Each column as wide as its widest text; when they do not fit the page, the captions of
    // two words take two lines, then the flexible columns share what the others leave, in
    // proportion to their widths.
    void fitColumns(const std::vector<Cells>& rows) {
        // Measured as the painter will draw them.
        painter_.setFont(body_);
        const QFontMetricsF bodyMetrics(painter_.fontMetrics());
        painter_.setFont(bold_);
        const QFontMetricsF boldMetrics(painter_.fontMetrics());
        const double gap = line_ * 0.6;
        const Cells headers = headerCells();
        std::array<double, kColumns.size()> caption{}; // on one line
        std::array<double, kColumns.size()> word{};    // its longest word
        std::array<double, kColumns.size()> content{};
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            caption[i] = boldMetrics.horizontalAdvance(headers[i]) + gap;
            for (const QString& part : headers[i].split(QLatin1Char(' '))) {
                word[i] = std::max(word[i], boldMetrics.horizontalAdvance(part) + gap);
            }
            for (const Cells& texts : rows) {
                content[i] = std::max(content[i], bodyMetrics.horizontalAdvance(texts[i]) + gap);
            }
            widths_[i] = std::max(caption[i], content[i]);
        }
        headerLines_ = 1;
        const auto total = [this] {
            double sum = 0.0;
            for (const double w : widths_) {
                sum += w;
            }
            return sum;
        };
        if (total() <= width_) {
            return;
        }
        headerLines_ = 2;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            widths_[i] = std::max(word[i], content[i]);
        }
        if (total() <= width_) {
            return;
        }
        double fixed = 0.0;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            fixed += kColumns[i].flexible ? 0.0 : widths_[i];
        }
        // Narrowest first, each flexible column takes its width or an even share of what is
        // left, whichever is less, but not less than its caption's longest word while those
        // fit; a long reason cannot squeeze the swimmer's name away.
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            if (kColumns[i].flexible) {
                order.push_back(i);
            }
        }
        std::sort(order.begin(), order.end(),
                  [this](std::size_t a, std::size_t b) { return widths_[a] < widths_[b]; });
        double left = std::max(width_ - fixed, 0.0);
        double words = 0.0;
        for (const std::size_t i : order) {
            words += word[i];
        }
        const bool wholeWords = words <= left;
        for (std::size_t n = 0; n < order.size(); ++n) {
            const std::size_t i = order[n];
            const double even = left / static_cast<double>(order.size() - n);
            widths_[i] = std::min(widths_[i], even);
            if (wholeWords) {
                widths_[i] = std::max(widths_[i], word[i]);
            }
            left -= widths_[i];
        }
    }

    void row(const Cells& texts, bool header) {
        const double height = header ? line_ * headerLines_ : line_;
        if (y_ + height > height_ - line_ * 2) {
            newPage(true);
        }
        painter_.setFont(header ? bold_ : body_);
        double x = 0.0;
        const QFontMetricsF metrics(painter_.fontMetrics());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const double w = widths_[i];
            const QRectF cell(x, y_, w - line_ * 0.6, height);
            if (header) {
                // A caption too wide for its column goes on two lines, at the foot of the row.
                painter_.drawText(cell, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap,
                                  texts[i]);
            } else {
                painter_.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                                  metrics.elidedText(texts[i], Qt::ElideRight, cell.width()));
            }
            x += w;
        }
        y_ += height;
        if (header) {
            painter_.drawLine(QPointF(0.0, y_), QPointF(width_, y_));
        }
    }

    // The club's fees under its entries: a line for each fee, then the total, on one page where
    // they fit one.
    void fees(const et::meet::ClubFees& club) {
        const double needed = line_ * (static_cast<double>(club.lines.size()) + 3.5);
        if (y_ + needed > height_ - line_ * 2) {
            newPage(true, false);
        }
        y_ += line_ * 0.5;
        const auto money = [](long cents) {
            return QString::fromStdString(et::meet::MoneyText(cents));
        };
        const QString currency = QString::fromStdString(club.currency);
        feeRow(
            {QObject::tr("Fees"), QObject::tr("Count"), QObject::tr("Each"), QObject::tr("Amount")},
            true);
        painter_.drawLine(QPointF(0.0, y_), QPointF(feeWidth(), y_));
        for (const et::meet::FeeLine& fee : club.lines) {
            feeRow({QString::fromStdString(fee.what), QString::number(fee.count), money(fee.each),
                    money(fee.amount)},
                   false);
        }
        painter_.drawLine(QPointF(0.0, y_), QPointF(feeWidth(), y_));
        feeRow({QObject::tr("Total \u00b7 entries %1 \u00b7 swimmers %2 \u00b7 relay teams %3")
                    .arg(club.entries)
                    .arg(club.swimmers)
                    .arg(club.relays),
                {},
                {},
                QStringLiteral("%1 %2").arg(money(club.total), currency).trimmed()},
               true);
    }

    int pages() const { return pages_; }

private:
    // The fee table: the fee's name, then three columns of figures aligned to the right.
    double feeWidth() const { return std::min(width_, line_ * 36.0); }

    void feeRow(const std::array<QString, 4>& texts, bool bold) {
        if (y_ + line_ > height_ - line_ * 2) {
            newPage(true, false);
        }
        painter_.setFont(bold ? bold_ : body_);
        const double figures = line_ * 6.0;
        const double name = feeWidth() - figures * 3;
        painter_.drawText(QRectF(0.0, y_, name + figures, line_), Qt::AlignLeft | Qt::AlignVCenter,
                          texts[0]);
        for (std::size_t i = 1; i < texts.size(); ++i) {
            const double x = name + figures * static_cast<double>(i - 1);
            painter_.drawText(QRectF(x, y_, figures, line_), Qt::AlignRight | Qt::AlignVCenter,
                              texts[i]);
        }
        y_ += line_;
    }

    void newPage(bool continued, bool withHeader = true) {
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
        if (withHeader) {
            row(headerCells(), true);
        }
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
    int headerLines_ = 1;
    double y_ = 0.0;
    int pages_ = 0;
};

} // namespace

int PrintReport(QPagedPaintDevice& device, const PrintHeading& heading,
                const std::vector<const et::meet::ReportRow*>& rows,
                const et::meet::MeetFees& fees) {
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
        const std::string name = club.toStdString();
        for (const et::meet::ClubFees& clubFees : fees.clubs) {
            if (clubFees.club == name) {
                writer.fees(clubFees);
            }
        }
    }
    painter.end();
    return writer.pages();
}

} // namespace et::entries
