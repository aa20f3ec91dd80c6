#include "ui/board_painter.h"

#include <QFontMetricsF>
#include <QPen>
#include <QRect>
#include <QString>
#include <cmath>
#include <optional>

#include "ui/resources.h"

namespace qf {
namespace {

// A seat number stands this high in its disc, as a share of the disc's
// diameter: large enough to read at a glance, small enough to leave a wide
// ring of the disc's colour around it.
constexpr double kNumberHeightShare = 0.4;

// WCAG's relative luminance of an sRGB colour.
double RelativeLuminance(const QColor& color) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
         0.0722 * linear(color.blueF());
}

// A seat's number is black or white, whichever contrasts more with its
// disc (contrast ratios as WCAG defines them; black's luminance is 0,
// white's 1).
QColor SeatNumberColor(int32_t seat) {
  const double disc = RelativeLuminance(SeatColor(seat));
  const double with_black = (disc + 0.05) / 0.05;
  const double with_white = 1.05 / (disc + 0.05);
  return with_black >= with_white ? Qt::black : Qt::white;
}

// The program's own face, sized so that a digit's ink is
// kNumberHeightShare of `diameter` high; bold, so that its strokes read at a
// glance, and aliased like the discs.
QFont NumberFont(int diameter) {
  QFont font = MakeUiFont();
  font.setPixelSize(100);
  const double digit_share =
      QFontMetricsF(font).tightBoundingRect(QStringLiteral("8")).height() /
      100.0;
  font.setPixelSize(static_cast<int>(
      std::lround(kNumberHeightShare * diameter / digit_share)));
  font.setWeight(QFont::Bold);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// The seat's number with its ink centred on `box`'s centre.
void DrawNumber(QPainter& painter, const QRect& box, int32_t seat,
                const QFont& font) {
  const QString text = QString::number(seat);
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
  // The centre of a box of odd width is its middle pixel's centre.
  const QPointF middle(box.left() + box.width() / 2.0,
                       box.top() + box.height() / 2.0);
  const QPointF origin = middle - ink.center();
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  painter.setPen(SeatNumberColor(seat));
  painter.drawText(QPoint(static_cast<int>(std::lround(origin.x())),
                          static_cast<int>(std::lround(origin.y()))),
                   text);
  painter.restore();
}

// An outlined ellipse covering exactly the pixels of `box` (width and
// height counted in pixels): a 1-pixel black outline and the fill colour.
void DrawDisc(QPainter& painter, const QRect& box, const QColor& fill) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(Qt::black);
  pen.setWidth(0);  // cosmetic: exactly one pixel
  painter.setPen(pen);
  painter.setBrush(fill);
  // A stroked shape covers its rectangle plus one pixel to the right and
  // below, so the rectangle is one pixel smaller than the covered box.
  painter.drawEllipse(box.adjusted(0, 0, -1, -1));
  painter.restore();
}

void DrawSquare(QPainter& painter, int32_t column, int32_t row) {
  const int x = column * kCellPixels;
  const int y = row * kCellPixels;
  // Outline on x, x + 48, y and y + 48; the 49th column and row stay as the
  // background left them.
  painter.fillRect(QRect(x, y, kCellPixels - 1, kCellPixels - 1), Qt::black);
  painter.fillRect(QRect(x + 1, y + 1, kCellPixels - 3, kCellPixels - 3),
                   EmptyCellColor());
}

// The font of the numbers on discs of `diameter`, or none for plain discs.
std::optional<QFont> NumberFontFor(DiscMarks marks, int diameter) {
  if (marks == DiscMarks::kNone) return std::nullopt;
  return NumberFont(diameter);
}

// The seat's disc filling `box`, with its number when there is a font for
// it.
void DrawSeatDisc(QPainter& painter, const QRect& box, int32_t seat,
                  const std::optional<QFont>& number_font) {
  DrawDisc(painter, box, SeatColor(seat));
  if (number_font) DrawNumber(painter, box, seat, *number_font);
}

void DrawCellDisc(QPainter& painter, int32_t seat, int32_t column, int32_t row,
                  const std::optional<QFont>& number_font) {
  DrawSeatDisc(
      painter,
      QRect(column * kCellPixels + kDiscInset, row * kCellPixels + kDiscInset,
            kDiscDiameter, kDiscDiameter),
      seat, number_font);
}

// A frame `width` pixels wide along the inside of `box`.
void FillFrame(QPainter& painter, const QRect& box, int width,
               const QColor& color) {
  painter.fillRect(QRect(box.left(), box.top(), box.width(), width), color);
  painter.fillRect(
      QRect(box.left(), box.bottom() - width + 1, box.width(), width), color);
  painter.fillRect(QRect(box.left(), box.top(), width, box.height()), color);
  painter.fillRect(
      QRect(box.right() - width + 1, box.top(), width, box.height()), color);
}

}  // namespace

QColor EmptyCellColor() { return QColor(0, 128, 0); }

QColor SeatColor(int32_t seat) {
  switch (seat) {
    case 1:
      return QColor(0, 0, 0);
    case 2:
      return QColor(255, 255, 255);
    case 3:
      return QColor(255, 0, 0);
    case 4:
      return QColor(255, 255, 0);
    default:
      return EmptyCellColor();
  }
}

void DrawBoard(QPainter& painter, const Cells& shown_board, DiscMarks marks) {
  const std::optional<QFont> number_font = NumberFontFor(marks, kDiscDiameter);
  for (int32_t a = 0; a < kBoardSize; ++a) {
    for (int32_t b = 0; b < kBoardSize; ++b) {
      DrawSquare(painter, a, b);
      const int32_t v = shown_board[CellIndex(a, b)];
      if (v != 0) DrawCellDisc(painter, v, a, b, number_font);
    }
  }
}

void DrawCell(QPainter& painter, int32_t seat, int32_t column, int32_t row,
              DiscMarks marks) {
  DrawSquare(painter, column, row);
  if (seat != 0) {
    DrawCellDisc(painter, seat, column, row,
                 NumberFontFor(marks, kDiscDiameter));
  }
}

void DrawCursor(QPainter& painter, int32_t column, int32_t row) {
  // Inside the outline on x + 0 and x + 48.
  const QRect inside(column * kCellPixels + 1, row * kCellPixels + 1,
                     kCellPixels - 3, kCellPixels - 3);
  FillFrame(painter, inside, 2, Qt::white);
  FillFrame(painter, inside.adjusted(2, 2, -2, -2), 2, Qt::black);
}

void PaintOrderDiscs(QPainter& painter, DiscMarks marks) {
  constexpr int kOrderDiscDiameter = 50;
  const std::optional<QFont> number_font =
      NumberFontFor(marks, kOrderDiscDiameter);
  for (int i = 0; i < 4; ++i) {
    DrawSeatDisc(painter,
                 QRect(70 + 61 * i, 50, kOrderDiscDiameter, kOrderDiscDiameter),
                 i + 1, number_font);
  }
}

}  // namespace qf
