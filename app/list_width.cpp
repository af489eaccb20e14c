#include "app/list_width.h"

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace qsim::gui {
namespace {

// What the style takes from a list's width for its frame and arrow; the text
// field inside an editable list keeps a margin of its own on either side.
int FieldOverhead(const QComboBox& list) {
  constexpr int kProbeWidth = 1000;
  QStyleOptionComboBox option;
  option.initFrom(&list);
  option.editable = list.isEditable();
  option.frame = list.hasFrame();
  option.rect.setWidth(kProbeWidth);
  const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, &list);
  constexpr int kLineEditMargins = 2 * 2;
  return kProbeWidth - field.width() + (list.isEditable() ? kLineEditMargins : 2);
}

}  // namespace

void FitListToItems(QComboBox& list, int least) {
  int longest = 0;
  for (int i = 0; i < list.count(); ++i)
    longest = std::max(longest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
  list.setMinimumWidth(std::max(least, longest + FieldOverhead(list)));
}

}  // namespace qsim::gui
