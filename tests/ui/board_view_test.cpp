// The board's pixels: outlines, the face-colour gap, discs and where each
// index of the ShownBoard lands, drawn alone and through the real window.
#include "ui/board_view.h"

#include <QPainter>
#include <QTest>

#include "ui/board_painter.h"
#include "ui_test_support.h"

Q_DECLARE_METATYPE(qf::Cells)

namespace qf::testing {
namespace {

// Never drawn by the board, so any pixel left in it was left untouched.
const QRgb kUntouched = qRgb(255, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kUntouched);
  return image;
}

// The pixels of an empty cell square, relative to its cell.
QRgb EmptyCellPixel(int cx, int cy, QRgb background) {
  if (cx == 49 || cy == 49) return background;
  if (cx == 0 || cx == 48 || cy == 0 || cy == 48) return kBlack;
  return kGreen;
}

// Compares the cell (a, b) of `image` (at x_offset, y_offset) with the
// stated geometry: an empty square, or one disc of `seat`.
QString CheckCell(const QImage& image, int a, int b, int32_t seat,
                  QRgb background, int x_offset = 0, int y_offset = 0) {
  const int left = x_offset + 50 * a;
  const int top = y_offset + 50 * b;
  auto at = [&](int cx, int cy) { return image.pixel(left + cx, top + cy); };
  const auto where = QStringLiteral("cell (%1,%2) ").arg(a).arg(b);
  int min_x = 100, max_x = -1, min_y = 100, max_y = -1;
  for (int cy = 0; cy < 50; ++cy) {
    for (int cx = 0; cx < 50; ++cx) {
      const QRgb empty = EmptyCellPixel(cx, cy, background);
      const bool inside = cx >= 1 && cx <= 47 && cy >= 1 && cy <= 47;
      if (!inside || seat == 0) {
        if (at(cx, cy) != empty) {
          return where + QStringLiteral("pixel (%1,%2) is #%3")
                             .arg(cx)
                             .arg(cy)
                             .arg(at(cx, cy) & 0xffffff, 6, 16);
        }
        continue;
      }
      if (at(cx, cy) == kGreen) continue;
      min_x = std::min(min_x, cx);
      max_x = std::max(max_x, cx);
      min_y = std::min(min_y, cy);
      max_y = std::max(max_y, cy);
      // The outline is closed: the fill never touches the green.
      if (at(cx, cy) != kBlack) {
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          if (at(cx + dx, cy + dy) == kGreen) {
            return where + QStringLiteral("fill meets green at (%1,%2)")
                               .arg(cx)
                               .arg(cy);
          }
        }
      }
      // A circle: the same from every side.
      if (at(48 - cx, cy) != at(cx, cy) || at(cx, 48 - cy) != at(cx, cy) ||
          at(cy, cx) != at(cx, cy)) {
        return where +
               QStringLiteral("not symmetric at (%1,%2)").arg(cx).arg(cy);
      }
    }
  }
  if (seat == 0) return {};
  if (min_x != 3 || max_x != 45 || min_y != 3 || max_y != 45) {
    return where + QStringLiteral("disc spans x %1..%2, y %3..%4")
                       .arg(min_x)
                       .arg(max_x)
                       .arg(min_y)
                       .arg(max_y);
  }
  if (at(24, 24) != SeatColor(seat).rgb() || at(3, 24) != kBlack ||
      at(45, 24) != kBlack || at(24, 3) != kBlack || at(24, 45) != kBlack) {
    return where + QStringLiteral("wrong disc colours");
  }
  return {};
}

QString CheckBoard(const QImage& image, const Cells& cells, QRgb background,
                   int x_offset = 0, int y_offset = 0) {
  for (int a = 0; a < 8; ++a) {
    for (int b = 0; b < 8; ++b) {
      const QString error = CheckCell(image, a, b, cells[CellIndex(a, b)],
                                      background, x_offset, y_offset);
      if (!error.isEmpty()) return error;
    }
  }
  return {};
}

Cells FilledBoard() {
  Cells cells{};
  // Index a * 8 + b is column a: (1,3) is the second column, fourth row.
  cells[CellIndex(1, 3)] = 1;
  cells[CellIndex(3, 1)] = 2;
  cells[CellIndex(0, 0)] = 3;
  cells[CellIndex(7, 7)] = 4;
  cells[CellIndex(7, 0)] = 2;
  cells[CellIndex(0, 7)] = 1;
  cells[CellIndex(4, 5)] = 3;
  return cells;
}

}  // namespace

class BoardViewTest : public QObject {
  Q_OBJECT

 private slots:
  void DrawBoardPixels_data() {
    QTest::addColumn<Cells>("cells");
    QTest::newRow("empty") << Cells{};
    QTest::newRow("filled") << FilledBoard();
    Cells full{};
    for (int i = 0; i < 64; ++i) full[i] = i % 4 + 1;
    QTest::newRow("full") << full;
  }

  void DrawBoardPixels() {
    QFETCH(Cells, cells);
    QImage image = Canvas(420, 420);
    {
      QPainter painter(&image);
      DrawBoard(painter, cells);
    }
    QCOMPARE(CheckBoard(image, cells, kUntouched), QString());
    for (int i = 0; i < 420; ++i) {
      QCOMPARE(image.pixel(i, 400), kUntouched);
      QCOMPARE(image.pixel(400, i), kUntouched);
    }
  }

  void IndexIsColumnThenRow() {
    Cells cells{};
    cells[1 * 8 + 3] = 3;
    QImage image = Canvas(400, 400);
    {
      QPainter painter(&image);
      DrawBoard(painter, cells);
    }
    QCOMPARE(image.pixel(50 * 1 + 24, 50 * 3 + 24), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(50 * 3 + 24, 50 * 1 + 24), kGreen);
  }

  void DrawCellPixels_data() {
    QTest::addColumn<int32_t>("under");
    QTest::addColumn<int32_t>("seat");
    QTest::newRow("empty over a disc") << 2 << 0;
    QTest::newRow("red over empty") << 0 << 3;
    QTest::newRow("yellow over black") << 1 << 4;
    QTest::newRow("white over empty") << 0 << 2;
  }

  void DrawCellPixels() {
    QFETCH(int32_t, under);
    QFETCH(int32_t, seat);
    Cells cells{};
    cells[CellIndex(5, 2)] = under;
    QImage image = Canvas(400, 400);
    QPainter painter(&image);
    DrawBoard(painter, cells);
    DrawCell(painter, seat, 5, 2);
    painter.end();
    cells[CellIndex(5, 2)] = seat;
    QCOMPARE(CheckBoard(image, cells, kUntouched), QString());
  }

  void OrderDiscs() {
    QImage image = Canvas(474, 144);
    {
      QPainter painter(&image);
      PaintOrderDiscs(painter);
    }
    for (int i = 0; i < 4; ++i) {
      const int left = 70 + 61 * i;
      QCOMPARE(image.pixel(left + 25, 75), SeatColor(i + 1).rgb());
      QCOMPARE(image.pixel(left, 75), kBlack);
      QCOMPARE(image.pixel(left + 49, 75), kBlack);
      QCOMPARE(image.pixel(left + 25, 50), kBlack);
      QCOMPARE(image.pixel(left + 25, 99), kBlack);
      QCOMPARE(image.pixel(left - 1, 75), kUntouched);
      QCOMPARE(image.pixel(left + 50, 75), kUntouched);
      QCOMPARE(image.pixel(left + 25, 49), kUntouched);
      QCOMPARE(image.pixel(left + 25, 100), kUntouched);
    }
  }

  // Through the real window: the face colour beside the board, what a paint
  // shows, and a blink that is on the screen before DrawCellNow returns and
  // gone at the next paint.
  void WindowShowsShownBoard() {
    WindowFixture fixture;
    const QRgb face = fixture.ui.face_color.rgb();
    QVERIFY(face != kGreen && face != kBlack);

    QImage screen = GrabClientFromScreen(*fixture.window);
    QCOMPARE(screen.size(), QSize(500, 400));
    QCOMPARE(CheckBoard(screen, Cells{}, face), QString());
    for (int y = 0; y < 400; ++y) {
      for (int x = 400; x < 500; ++x) QCOMPARE(screen.pixel(x, y), face);
    }

    fixture.state.shown_board = FilledBoard();
    fixture.window->board_view().DrawBoardNow();
    QCOMPARE(
        CheckBoard(GrabClientFromScreen(*fixture.window), FilledBoard(), face),
        QString());

    Cells blink = FilledBoard();
    blink[CellIndex(6, 6)] = 3;
    fixture.window->board_view().DrawCellNow(3, 6, 6);
    QCOMPARE(CheckBoard(GrabClientFromScreen(*fixture.window), blink, face),
             QString());
    blink[CellIndex(1, 3)] = 0;
    fixture.window->board_view().DrawCellNow(0, 1, 3);
    QCOMPARE(CheckBoard(GrabClientFromScreen(*fixture.window), blink, face),
             QString());

    fixture.window->board_view().repaint();
    QCOMPARE(
        CheckBoard(GrabClientFromScreen(*fixture.window), FilledBoard(), face),
        QString());
  }
};

int RunBoardViewTest(int argc, char** argv) {
  BoardViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace qf::testing

#include "board_view_test.moc"
