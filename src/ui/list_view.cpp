// The list-view model and its lazily built search indexes.
#include "ui/list_view.h"

#include "base/errors.h"
#include "base/text.h"

namespace veltrane {

const std::string& ListRow::SubItem(size_t n) const {
  static const std::string kEmpty;
  return (n >= 1 && n <= subItems.size()) ? subItems[n - 1] : kEmpty;
}

void ListRow::SetSubItem(size_t n, std::string value) {
  if (n == 0) Raise(kErrInvalidCall);
  if (subItems.size() < n) subItems.resize(n);
  subItems[n - 1] = std::move(value);
}

void ListView::AddColumn(std::string header) {
  columns_.push_back(std::move(header));
  Notify(Change::kColumns);
}

void ListView::RemoveColumn(size_t index) {
  if (index >= columns_.size()) Raise(kErrSubscriptOutOfRange);
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(index));
  Notify(Change::kColumns);
}

const ListRow& ListView::Row(size_t index) const {
  if (index >= rows_.size()) Raise(kErrSubscriptOutOfRange);
  return rows_[index];
}

size_t ListView::Add(ListRow row) {
  rows_.push_back(std::move(row));
  Invalidate();
  Notify(Change::kRowAdded, rows_.size() - 1);
  return rows_.size() - 1;
}

size_t ListView::Add(std::string text, std::vector<std::string> subItems, std::string key) {
  return Add(ListRow{std::move(text), std::move(subItems), std::move(key), false});
}

void ListView::SetChecked(size_t index, bool checked) {
  if (index >= rows_.size()) Raise(kErrSubscriptOutOfRange);
  rows_[index].checked = checked;
  Notify(Change::kRowChanged, index);
}

void ListView::SetSubItem(size_t index, size_t n, std::string value) {
  if (index >= rows_.size()) Raise(kErrSubscriptOutOfRange);
  rows_[index].SetSubItem(n, std::move(value));
  Invalidate();
  Notify(Change::kRowChanged, index);
}

void ListView::Remove(size_t index) {
  if (index >= rows_.size()) Raise(kErrSubscriptOutOfRange);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  selected_.reset();
  Invalidate();
  Notify(Change::kRowRemoved, index);
}

size_t ListView::RemoveChecked() {
  return RemoveIf([](const ListRow& row) { return row.checked; });
}

void ListView::Clear() {
  rows_.clear();
  selected_.reset();
  Invalidate();
  Notify(Change::kRowsCleared);
}

void ListView::Select(std::optional<size_t> index) {
  if (index && *index >= rows_.size()) Raise(kErrSubscriptOutOfRange);
  selected_ = index;
  Notify(Change::kValue);
}

void ListView::Invalidate() {
  // Dropping the maps (not clearing them) keeps a run of appends linear: clear() would sweep the buckets.
  if (textIndexValid_) textIndex_ = {};
  if (subItemIndexValid_) subItemIndex_ = {};
  textIndexValid_ = false;
  subItemIndexValid_ = false;
}

void ListView::BuildIndex(SearchIn where) const {
  auto& index = where == SearchIn::kText ? textIndex_ : subItemIndex_;
  index.clear();
  index.reserve(rows_.size() * (where == SearchIn::kText ? 1 : 2));
  // try_emplace keeps the first row in list order for every text.
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (where == SearchIn::kText) {
      index.try_emplace(Upper(rows_[i].text), i);
    } else {
      for (const auto& subItem : rows_[i].subItems) index.try_emplace(Upper(subItem), i);
    }
  }
  (where == SearchIn::kText ? textIndexValid_ : subItemIndexValid_) = true;
}

std::optional<size_t> ListView::FindItem(std::string_view text, SearchIn where) const {
  if (!(where == SearchIn::kText ? textIndexValid_ : subItemIndexValid_)) BuildIndex(where);
  const auto& index = where == SearchIn::kText ? textIndex_ : subItemIndex_;
  auto found = index.find(Upper(text));
  if (found == index.end()) return std::nullopt;
  return found->second;
}

}  // namespace veltrane
