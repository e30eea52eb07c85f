#include "ui/qt/AppIcon.h"

#include <QPixmap>

namespace velmarith {
namespace {
#include "ui/qt/icon/velmarith.xpm"
}  // namespace

QIcon AppIcon() { return QIcon(QPixmap(velmarith_icon)); }

}  // namespace velmarith
