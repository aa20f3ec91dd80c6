#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace qf {
namespace {

QAccessibleInterface* AnnouncerAccessibleFactory(const QString&,
                                                 QObject* object) {
  if (auto* announcer = dynamic_cast<Announcer*>(object)) {
    return new QAccessibleWidget(announcer, QAccessible::Notification);
  }
  return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget& parent) : QWidget(&parent) {
  QAccessible::installFactory(AnnouncerAccessibleFactory);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  // One pixel in the corner, behind everything else; it paints nothing.
  setGeometry(0, 0, 1, 1);
  lower();
  hide();
}

void Announcer::Say(const QString& text) {
  if (text.isEmpty()) return;
  hide();
  setAccessibleName(text);
  show();
  lower();
}

void Announcer::Say(std::string_view text) {
  Say(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace qf
