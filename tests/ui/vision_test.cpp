// Numbered discs on the offscreen platform: on the start position, which
// shows every kind of cell, each two kinds differ clearly inside the disc
// for normal vision and simulated protanopia, deuteranopia and tritanopia;
// each number stands out from its disc; without the option the discs are
// plain.
#include <lcms2.h>

#include <QSet>
#include <QTest>
#include <array>
#include <cmath>
#include <vector>

#include "board/start_position.h"
#include "ui/board_view.h"
#include "ui/order_dialog.h"
#include "ui/program.h"

namespace qf::testing {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
// Full-severity dichromacies in linear RGB (Machado, Oliveira and
// Fernandes 2009), and normal vision.
const std::pair<const char*, Matrix> kVisions[] = {
    {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
    {"protanopia",
     {{{0.152286, 1.052583, -0.204868},
       {0.114503, 0.786281, 0.099216},
       {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia",
     {{{0.367322, 0.860646, -0.227968},
       {0.280085, 0.672501, 0.047413},
       {-0.011820, 0.042940, 0.968881}}}},
    {"tritanopia",
     {{{1.255528, -0.076749, -0.178779},
       {-0.078411, 0.930809, 0.147602},
       {0.004733, 0.691367, 0.303900}}}},
};
// Two kinds of cell differ clearly where CIE76 ΔE reaches 20 on at least
// kClearPixels pixels inside the disc. The colour pairs players confuse
// (red disc and green cell under protanopia, white and yellow discs under
// tritanopia) are 10 to 13 apart; 20 is about the step between grey levels
// a fifth of the scale apart. kClearPixels is a stroke two pixels wide
// running the number's height.
constexpr double kClearDeltaE = 20;
constexpr int kClearPixels = 34;

// sRGB (8 bits) to linear RGB, and linear RGB to CIELAB, by Little CMS.
const std::array<cmsHTRANSFORM, 2>& Transforms() {
  static const std::array<cmsHTRANSFORM, 2> transforms = [] {
    cmsCIExyY d65;
    cmsWhitePointFromTemp(&d65, 6504);
    const cmsCIExyYTRIPLE srgb = {
        {0.64, 0.33, 1}, {0.3, 0.6, 1}, {0.15, 0.06, 1}};
    cmsToneCurve* one = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {one, one, one};
    const cmsHPROFILE profiles[3] = {cmsCreate_sRGBProfile(),
                                     cmsCreateRGBProfile(&d65, &srgb, curves),
                                     cmsCreateLab4Profile(nullptr)};
    const std::array<cmsHTRANSFORM, 2> made = {
        cmsCreateTransform(profiles[0], TYPE_BGRA_8, profiles[1], TYPE_RGB_DBL,
                           INTENT_RELATIVE_COLORIMETRIC, 0),
        cmsCreateTransform(profiles[1], TYPE_RGB_DBL, profiles[2], TYPE_Lab_DBL,
                           INTENT_RELATIVE_COLORIMETRIC, 0)};
    for (cmsHPROFILE profile : profiles) cmsCloseProfile(profile);
    cmsFreeToneCurve(one);
    return made;
  }();
  return transforms;
}

// An RGB32 image's pixels in linear RGB.
std::vector<std::array<double, 3>> Linear(const QImage& image) {
  std::vector<std::array<double, 3>> linear(image.width() * image.height());
  for (int y = 0; y < image.height(); ++y) {
    cmsDoTransform(Transforms()[0], image.constScanLine(y),
                   &linear[y * image.width()], image.width());
  }
  return linear;
}

// The image's pixels as `vision` sees them, in CIELAB.
std::vector<cmsCIELab> Seen(const QImage& image, const Matrix& vision) {
  std::vector<std::array<double, 3>> seen = Linear(image);
  for (std::array<double, 3>& rgb : seen) {
    const std::array<double, 3> in = rgb;
    for (int i = 0; i < 3; ++i) {
      rgb[i] = std::clamp(
          vision[i][0] * in[0] + vision[i][1] * in[1] + vision[i][2] * in[2],
          0.0, 1.0);
    }
  }
  std::vector<cmsCIELab> lab(seen.size());
  cmsDoTransform(Transforms()[1], seen.data(), lab.data(), seen.size());
  return lab;
}

// WCAG's contrast ratio of two colours.
double Contrast(QRgb a, QRgb b) {
  QImage pair(2, 1, QImage::Format_RGB32);
  pair.setPixel(0, 0, a);
  pair.setPixel(1, 0, b);
  double y[2];
  for (int i = 0; const std::array<double, 3>& l : Linear(pair))
    y[i++] = 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2] + 0.05;
  return std::max(y[0], y[1]) / std::min(y[0], y[1]);
}

// A disc of `size` pixels from `corner`, and its seat.
struct Disc {
  QPoint corner;
  int size;
  int seat;
};

// Calls `f` with every pixel of `disc` three pixels or more within its
// outline.
template <typename F>
void ForInside(const Disc& disc, F f) {
  const QPointF centre = disc.corner + QPointF(1, 1) * (disc.size - 1) / 2;
  for (int i = 0; i < disc.size * disc.size; ++i) {
    const QPoint p = disc.corner + QPoint(i % disc.size, i / disc.size);
    const QPointF d = p - centre;
    if (std::hypot(d.x(), d.y()) <= disc.size / 2.0 - 3) f(p);
  }
}

Cells StartCells() {
  Cells cells{};
  for (const StartDisc& s : kStartDiscs)
    cells[CellIndex(s.column, s.row)] = s.seat;
  return cells;
}

// The start position on the board (`board`) or the order window's discs,
// painted over an image the painter leaves alone elsewhere, and the discs.
std::pair<QImage, std::vector<Disc>> Paint(bool board, DiscMarks marks) {
  QImage image(board ? QSize(kBoardPixels, kBoardPixels)
                     : QSize(kOrderDialogWidth, kOrderDialogHeight),
               QImage::Format_RGB32);
  image.fill(qRgb(12, 34, 56));
  QPainter painter(&image);
  std::vector<Disc> discs;
  if (board) {
    DrawBoard(painter, StartCells(), marks);
    for (const StartDisc& s : kStartDiscs) {
      discs.push_back({QPoint(s.column, s.row) * kCellPixels +
                           QPoint(kDiscInset, kDiscInset),
                       kDiscDiameter, s.seat});
    }
  } else {
    PaintOrderDiscs(painter, marks);
    for (int i = 0; i < 4; ++i) discs.push_back({{70 + 61 * i, 50}, 50, i + 1});
  }
  return {image, discs};
}

// A start-position cell of each kind: empty, then seats 1..4.
const QPoint kKindCells[] = {{0, 0}, {1, 3}, {1, 4}, {5, 3}, {5, 4}};
const char* const kKindNames[] = {"empty", "black", "white", "red", "yellow"};

}  // namespace

class VisionTest : public QObject {
  Q_OBJECT

 private slots:
  void KindsDifferClearly() {
    const QImage board = Paint(true, DiscMarks::kSeatNumbers).first;
    std::pair<int, QString> weakest{kBoardPixels, ""};
    for (const auto& [vision, matrix] : kVisions) {
      const std::vector<cmsCIELab> seen = Seen(board, matrix);
      const auto at = [&](int kind, QPoint p) {
        p += kKindCells[kind] * kCellPixels;
        return &seen[p.y() * kBoardPixels + p.x()];
      };
      for (int a = 0; a < 5; ++a) {
        for (int b = a + 1; b < 5; ++b) {
          int clear = 0;
          ForInside({{kDiscInset, kDiscInset}, kDiscDiameter, 0},
                    [&](QPoint p) {
                      clear += cmsDeltaE(at(a, p), at(b, p)) >= kClearDeltaE;
                    });
          const QString pair = QString("%1 %2/%3: %4 pixels")
                                   .arg(vision, kKindNames[a], kKindNames[b])
                                   .arg(clear);
          QVERIFY2(clear >= kClearPixels, qPrintable(pair));
          weakest = std::min(weakest, {clear, pair});
        }
      }
    }
    qInfo("weakest pair, ΔE >= %g: %s", kClearDeltaE,
          qPrintable(weakest.second));
  }

  // Plain discs are of one colour inside. A numbered one differs from its
  // plain self only inside, in black or white meeting 4.5:1 contrast with
  // the disc, and its number's ink is 40 % of the diameter high (within a
  // tenth) and centred within a pixel and a half. Nothing else differs, a
  // blinking disc is drawn as the board's, and the board view and the order
  // window draw as the painter does.
  void Marks() {
    for (bool board : {true, false}) {
      const auto [plain, discs] = Paint(board, DiscMarks::kNone);
      const QImage marked = Paint(board, DiscMarks::kSeatNumbers).first;
      QImage rest = marked;
      for (const Disc& disc : discs) {
        const QRgb fill = SeatColor(disc.seat).rgb();
        int plain_off = 0;
        QSet<QRgb> inks;
        QRect ink;
        ForInside(disc, [&](QPoint p) {
          plain_off += plain.pixel(p) != fill;
          if (marked.pixel(p) == fill) return;
          inks << marked.pixel(p);
          ink |= QRect(p, QSize(1, 1));
          rest.setPixel(p, fill);
        });
        QCOMPARE(plain_off, 0);
        QCOMPARE(inks.size(), 1);
        const QRgb mark = *inks.begin();
        QVERIFY(mark == qRgb(0, 0, 0) || mark == qRgb(255, 255, 255));
        QVERIFY2(Contrast(mark, fill) >= 4.5,
                 qPrintable(QString::number(Contrast(mark, fill))));
        const QPointF off =
            QRectF(ink).center() -
            QRectF(disc.corner, QSizeF(disc.size, disc.size)).center();
        QVERIFY(std::abs(ink.height() - 0.4 * disc.size) <= 0.04 * disc.size);
        QVERIFY(std::hypot(off.x(), off.y()) <= 1.5);
      }
      QCOMPARE(rest, plain);
    }
    const QImage board = Paint(true, DiscMarks::kSeatNumbers).first;
    for (int kind = 1; kind < 5; ++kind) {
      QImage blink = board;
      QPainter painter(&blink);
      DrawCell(painter, kind, 0, 0, DiscMarks::kSeatNumbers);
      const QSize cell(kCellPixels - 1, kCellPixels - 1);
      QCOMPARE(blink.copy(QRect({0, 0}, cell)),
               board.copy(QRect(kKindCells[kind] * kCellPixels, cell)));
    }
    for (DiscMarks marks : {DiscMarks::kNone, DiscMarks::kSeatNumbers}) {
      Program program(marks);
      program.window.board_view().ShowPosition(StartCells());
      auto* order = new OrderDialog(program.window, program.random,
                                    program.ui.dialog_font, marks);
      const QImage shown[] = {program.window.board_view().grab().toImage(),
                              order->grab().toImage()};
      int differ = 0;
      for (bool board : {true, false}) {
        const auto [want, discs] = Paint(board, marks);
        for (const Disc& disc : discs) {
          ForInside(disc, [&](QPoint p) {
            differ += shown[board ? 0 : 1].pixel(p) != want.pixel(p);
          });
        }
      }
      QCOMPARE(differ, 0);
    }
  }
};

}  // namespace qf::testing

QTEST_MAIN(qf::testing::VisionTest)

#include "vision_test.moc"
