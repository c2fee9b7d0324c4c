// The table of control kinds, in the order of Kind.
#include "app/gui/control_kinds.h"

#include <iterator>

#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

void FillTabs(Binding& binding) {
  auto& tabs = static_cast<TabStrip*>(binding.model)->Tabs();
  for (size_t i = 0; i < tabs.size(); ++i) {
    std::wstring text = Wide(tabs[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    ::SendMessageW(binding.hwnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void FillCombo(Binding& binding) {
  for (const auto& text : static_cast<ComboBox*>(binding.model)->Tabs()) {
    ::SendMessageW(binding.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  }
}

void UnlimitLog(Binding& binding) {
  ::SendMessageW(binding.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

constexpr KindStyle kKinds[] = {
    {Kind::kFrame, kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true, FontRole::kNormal, nullptr},
    {Kind::kGroup, kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true, FontRole::kBold, nullptr},
    {Kind::kLabel, L"STATIC", SS_NOPREFIX, 0, true, FontRole::kNormal, nullptr},
    {Kind::kHeading, L"STATIC", SS_NOPREFIX, 0, true, FontRole::kBold, nullptr},
    {Kind::kButton, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, true, FontRole::kNormal, nullptr},
    {Kind::kTwin, L"BUTTON", BS_PUSHBUTTON, 0, true, FontRole::kNormal, IgnoreAccessKeys},
    {Kind::kPicture, kPictureClass, 0, 0, true, FontRole::kNormal, nullptr},
    {Kind::kCheck, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, true, FontRole::kNormal, nullptr},
    {Kind::kText, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, FontRole::kNormal, nullptr},
    {Kind::kTimer, nullptr, 0, 0, false, FontRole::kNormal, nullptr},
    {Kind::kTab, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, 0, false, FontRole::kNormal, FillTabs},
    {Kind::kCombo, L"COMBOBOX", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0, false, FontRole::kNormal,
     FillCombo},
    {Kind::kList, WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
     WS_EX_CLIENTEDGE, false, FontRole::kNormal, SetUpListView},
    {Kind::kLog, L"EDIT", WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
     WS_EX_CLIENTEDGE, false, FontRole::kLog, UnlimitLog},
};

constexpr bool InKindOrder() {
  for (size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<size_t>(kKinds[i].kind) != i) return false;
  }
  return std::size(kKinds) == static_cast<size_t>(Kind::kLog) + 1;
}
static_assert(InKindOrder(), "one entry per kind, in the order of Kind");

}  // namespace

const KindStyle& StyleOf(Kind kind) {
  return kKinds[static_cast<size_t>(kind)];
}

}  // namespace veltrane::gui
