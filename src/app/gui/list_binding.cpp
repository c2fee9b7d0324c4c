// The list views: columns, rows and check boxes served from the model through LVN_GETDISPINFO.
#include "app/gui/list_binding.h"

#include <algorithm>
#include <cstring>

#include "app/gui/dpi_scale.h"
#include "app/gui/gui_ids.h"
#include "app/gui/win_text.h"
#include "ui/list_view.h"

namespace veltrane::gui {

namespace {

ListView& Model(Binding& binding) {
  return *static_cast<ListView*>(binding.model);
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void ToggleChecked(ListView& model, size_t row) {
  if (row < model.Count()) model.SetChecked(row, !model.Row(row).checked);
}

}  // namespace

void SetUpListView(Binding& binding) {
  DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
  ::SendMessageW(binding.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  // The check boxes are the model's: the control asks for them with the row texts.
  ::SendMessageW(binding.hwnd, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  RebuildColumns(binding);
}

void RebuildColumns(Binding& binding) {
  HWND list = binding.hwnd;
  const auto& columns = Model(binding).Columns();
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = ColumnCount(list); i > 0; --i) ::SendMessageW(list, LVM_DELETECOLUMN, 0, 0);
  RECT rect{};
  ::GetClientRect(list, &rect);
  // The first column holds names and paths: it gets twice the share of the others.
  int shares = static_cast<int>(columns.size()) + 1;
  int share =
      std::max<int>(Scale(60, binding.dpi), (rect.right - rect.left - Scale(24, binding.dpi)) / shares);
  for (size_t i = 0; i < columns.size(); ++i) {
    std::wstring text = Wide(columns[i]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = i == 0 ? 2 * share : share;
    column.iSubItem = static_cast<int>(i);
    ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void OnListRowsChanged(Binding& binding, Change change, size_t) {
  if (change != Change::kRowChanged && change != Change::kRowAdded) {
    // Rows moved: the control's selection by position no longer means the same row.
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(binding.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  }
  binding.dirty = true;
}

void SelectListRow(Binding& binding) {
  auto selected = Model(binding).SelectedIndex();
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(binding.hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (selected) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(binding.hwnd, LVM_SETITEMSTATE, *selected, reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(binding.hwnd, LVM_ENSUREVISIBLE, *selected, FALSE);
  }
}

void FlushListView(Binding& binding) {
  auto count = static_cast<WPARAM>(Model(binding).Count());
  if (static_cast<WPARAM>(::SendMessageW(binding.hwnd, LVM_GETITEMCOUNT, 0, 0)) != count) {
    ::SendMessageW(binding.hwnd, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
  ::InvalidateRect(binding.hwnd, nullptr, FALSE);
}

LRESULT ListNotify(Binding& binding, NMHDR* header, bool& syncing) {
  ListView& model = Model(binding);
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= model.Count()) return 0;
      const ListRow& row = model.Row(static_cast<size_t>(item.iItem));
      if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        // The rows hold UTF-8; the control is given UTF-16, cut short without splitting a surrogate pair.
        std::wstring text =
            Wide(item.iSubItem == 0 ? row.text : row.SubItem(static_cast<size_t>(item.iSubItem)));
        size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
        if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
        std::memcpy(item.pszText, text.data(), length * sizeof(wchar_t));
        item.pszText[length] = L'\0';
      }
      if ((item.mask & LVIF_STATE) != 0) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
      }
      return 0;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) == 0) return 0;
      if (change->iItem >= 0 && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
          (change->uNewState & LVIS_STATEIMAGEMASK) != 0) {
        // Some list views toggle an owner-data check box themselves and only report it.
        size_t row = static_cast<size_t>(change->iItem);
        bool checked = (change->uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        if (row < model.Count() && model.Row(row).checked != checked) {
          model.SetChecked(row, checked);
          binding.checkToggledByControl = true;
        }
      }
      if (((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0 && !syncing) {
        int selected = static_cast<int>(
            ::SendMessageW(binding.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        syncing = true;
        if (selected >= 0 && static_cast<size_t>(selected) < model.Count()) {
          model.Select(static_cast<size_t>(selected));
        } else {
          model.Select(std::nullopt);
        }
        syncing = false;
      }
      return 0;
    }
    case NM_CLICK: {
      auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
      bool handled = binding.checkToggledByControl;
      binding.checkToggledByControl = false;
      if (handled) return 0;
      LVHITTESTINFO hit{};
      hit.pt = click->ptAction;
      ::SendMessageW(binding.hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
        ToggleChecked(model, static_cast<size_t>(hit.iItem));
      }
      return 0;
    }
    case LVN_KEYDOWN: {
      if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey != VK_SPACE) return 0;
      int focused = static_cast<int>(
          ::SendMessageW(binding.hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
      if (focused < 0) return 0;
      // Some list views tick an owner-data row on the space key themselves, after this notification;
      // the decision waits until the control has handled the key.
      binding.checkToggledByControl = false;
      ::PostMessageW(::GetParent(binding.hwnd), kMsgSpaceToggle, static_cast<WPARAM>(focused),
                     reinterpret_cast<LPARAM>(binding.hwnd));
      return 0;
    }
    default:
      return 0;
  }
}

void ListSpaceToggle(Binding& binding, size_t row) {
  bool handled = binding.checkToggledByControl;
  binding.checkToggledByControl = false;
  if (!handled) ToggleChecked(Model(binding), row);
}

}  // namespace veltrane::gui
