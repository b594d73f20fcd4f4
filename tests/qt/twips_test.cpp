#include <QTest>

#include "test_classes.hpp"
#include "ui/qt/twips.hpp"

namespace et::qt::test {

void TwipsTest::lengths_data() {
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");

    QTest::newRow("zero") << 0.0 << 96.0 << 0;
    QTest::newRow("one inch at 96") << 1440.0 << 96.0 << 96;
    QTest::newRow("one inch at 144") << 1440.0 << 144.0 << 144;
    QTest::newRow("client width at 96") << 8385.0 << 96.0 << 559;
    QTest::newRow("client width at 192") << 8385.0 << 192.0 << 1118;
    QTest::newRow("half pixel rounds up") << 8385.0 << 144.0 << 839; // 838.5
    QTest::newRow("separator line stays visible") << 15.0 << 96.0 << 1;
    QTest::newRow("under half a pixel") << 7.0 << 96.0 << 0;
    QTest::newRow("over half a pixel") << 8.0 << 96.0 << 1;
    QTest::newRow("negative corner off screen") << -1215.0 << 96.0 << -81;
}

void TwipsTest::lengths() {
    QFETCH(double, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips, dpi), pixels);
}

void TwipsTest::neighboursShareTheirEdge_data() {
    QTest::addColumn<double>("dpi");
    QTest::newRow("96") << 96.0;
    QTest::newRow("120") << 120.0;
    QTest::newRow("144") << 144.0;
    QTest::newRow("168") << 168.0;
}

// Boxes placed edge to edge in twips (the converted-time row steps by 840 with boxes 855 wide)
// must neither gap nor overlap by more than the twips say, at any DPI.
void TwipsTest::neighboursShareTheirEdge() {
    QFETCH(double, dpi);
    for (int left = 0; left < 2000; left += 15) {
        const QRect a = twipsToPixels(left, 0, 855, 405, dpi);
        const QRect b = twipsToPixels(left + 855, 0, 855, 405, dpi);
        QCOMPARE(a.x() + a.width(), b.x());
        QCOMPARE(a.height(), b.height());
    }
}

} // namespace et::qt::test
