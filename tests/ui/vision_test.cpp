// Numbered discs as players with and without a colour-vision deficiency see
// them, on the start position, which shows every kind of cell: each two
// kinds differ clearly inside the disc, and each number contrasts with its
// disc. The board view, its blink and the order window carry the numbers
// only with the option.
#include <lcms2.h>

#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <array>
#include <cmath>

#include "board/start_position.h"
#include "ui/board_view.h"
#include "ui/order_dialog.h"
#include "ui/program.h"

namespace qf::testing {
namespace {

// Normal vision and full-severity dichromacies in linear RGB, row by row
// (Machado, Oliveira and Fernandes 2009).
using Matrix = std::array<double, 9>;
const std::pair<const char*, Matrix> kVisions[] = {
    {"normal", {1, 0, 0, 0, 1, 0, 0, 0, 1}},
    {"protanopia",
     {.152286, 1.052583, -.204868, .114503, .786281, .099216, -.003882,
      -.048116, 1.051998}},
    {"deuteranopia",
     {.367322, .860646, -.227968, .280085, .672501, .047413, -.011820, .042940,
      .968881}},
    {"tritanopia",
     {1.255528, -.076749, -.178779, -.078411, .930809, .147602, .004733,
      .691367, .303900}}};
// Two kinds differ clearly where CIE76 ΔE reaches 20 on at least 34 pixels
// inside the disc. The pairs players confuse (the red disc and the cell
// under protanopia, white and yellow discs under tritanopia) are 10 to 13
// apart; 34 pixels are a stroke two pixels wide the number's height.
constexpr double kClearDeltaE = 20;
constexpr int kClearPixels = 34;

// An sRGB colour in linear RGB as `vision` sees it.
std::array<double, 3> Linear(QRgb rgb, const Matrix& vision) {
  std::array<double, 3> in{}, out{};
  for (int i = 0; i < 3; ++i) {
    const double c = (rgb >> (16 - 8 * i) & 0xFF) / 255.0;
    in[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  }
  for (int i = 0; i < 9; ++i) out[i / 3] += vision[i] * in[i % 3];
  for (double& c : out) c = std::clamp(c, 0.0, 1.0);
  return out;
}

// CIELAB (sRGB primaries, D65 white) and WCAG's relative luminance, Y.
cmsCIELab Lab(QRgb rgb, const Matrix& vision, double* luminance = nullptr) {
  const std::array<double, 3> l = Linear(rgb, vision);
  const cmsCIEXYZ white = {0.95047, 1.0, 1.08883};
  const cmsCIEXYZ xyz = {0.4124 * l[0] + 0.3576 * l[1] + 0.1805 * l[2],
                         0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2],
                         0.0193 * l[0] + 0.1192 * l[1] + 0.9505 * l[2]};
  if (luminance) *luminance = xyz.Y;
  cmsCIELab lab;
  cmsXYZ2Lab(&white, &lab, &xyz);
  return lab;
}

// Calls `f` with each pixel of the disc in `cell` three or more within its
// outline, as an offset from the cell's corner.
template <typename F>
void ForInsideDisc(F f) {
  for (int i = 0; i < kCellPixels * kCellPixels; ++i) {
    const QPoint p(i % kCellPixels, i / kCellPixels);
    const double r = std::hypot(p.x() - 24, p.y() - 24);
    if (r <= kDiscDiameter / 2.0 - 3) f(p);
  }
}

}  // namespace

class VisionTest : public QObject {
  Q_OBJECT

 private slots:
  void KindsDifferClearlyAndNumbersStandOut() {
    Cells cells{};
    for (const StartDisc& s : kStartDiscs)
      cells[CellIndex(s.column, s.row)] = s.seat;
    QImage board(kBoardPixels, kBoardPixels, QImage::Format_RGB32);
    QPainter painter(&board);
    DrawBoard(painter, cells, DiscMarks::kSeatNumbers);
    // An empty cell and a disc of each seat.
    const QPoint kinds[] = {{0, 0}, {1, 3}, {1, 4}, {5, 3}, {5, 4}};
    const auto pixel = [&](int kind, QPoint p) {
      return board.pixel(kinds[kind] * kCellPixels + p);
    };
    std::pair<int, QString> weakest{kBoardPixels, ""};
    for (const auto& [vision, matrix] : kVisions) {
      for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
          int clear = 0;
          ForInsideDisc([&](QPoint p) {
            const cmsCIELab seen[] = {Lab(pixel(a, p), matrix),
                                      Lab(pixel(b, p), matrix)};
            clear += cmsDeltaE(&seen[0], &seen[1]) >= kClearDeltaE;
          });
          const QString pair =
              QString("%1, kinds %2 and %3: %4 pixels")
                  .arg(vision, QString::number(a), QString::number(b),
                       QString::number(clear));
          QVERIFY2(clear >= kClearPixels, qPrintable(pair));
          weakest = std::min(weakest, {clear, pair});
        }
      }
    }
    qInfo("weakest: %s", qPrintable(weakest.second));
    // Each number, the one colour inside a disc besides the disc's own,
    // has 4.5:1 contrast with it.
    for (int seat = 1; seat <= 4; ++seat) {
      double fill, ink;
      Lab(pixel(seat, {24, 10}), kVisions[0].second, &fill);
      ForInsideDisc([&](QPoint p) {
        Lab(pixel(seat, p), kVisions[0].second, &ink);
        QVERIFY(ink == fill ||
                (std::max(ink, fill) + .05) / (std::min(ink, fill) + .05) >=
                    4.5);
      });
    }
  }

  // A red disc blinking on d4 and the order window's discs, with the option
  // and without: numbered ones differ from plain ones inside their discs.
  void ShownOnlyWithTheOption() {
    std::array<QImage, 2> shown[2];
    for (DiscMarks marks : {DiscMarks::kNone, DiscMarks::kSeatNumbers}) {
      Program program(marks);
      program.window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&program.window));
      program.window.board_view().ShowPosition(Cells{});
      program.window.board_view().DrawCellNow(3, 3, 3);
      auto* order = new OrderDialog(program.window, program.random,
                                    program.ui.dialog_font, marks);
      shown[static_cast<int>(marks)] = {
          program.window.screen()
              ->grabWindow(program.window.winId(), 150,
                           program.window.menuBar()->height() + 150, 50, 50)
              .toImage(),
          order->grab(QRect(70 + 61 * 2, 50, 50, 50)).toImage()};
    }
    for (int i = 0; i < 2; ++i) {
      int differ = 0;
      ForInsideDisc([&](QPoint p) {
        differ += shown[0][i].pixel(p) != shown[1][i].pixel(p);
        QCOMPARE(shown[0][i].pixel(p), SeatColor(3).rgb());
      });
      QVERIFY(differ >= kClearPixels);
    }
  }
};

}  // namespace qf::testing

QTEST_MAIN(qf::testing::VisionTest)

#include "vision_test.moc"
