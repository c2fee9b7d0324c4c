// The list-view model: columns, rows with text, sub-items, key and check box, and the whole-text item search.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/controls.h"

namespace veltrane {

struct ListRow {
  std::string text;
  std::vector<std::string> subItems;  // subItems[0] is the first sub-item (the second column)
  std::string key;
  bool checked = false;

  // The n-th sub-item, counted from 1 as the columns after the first; empty when never set.
  const std::string& SubItem(size_t n) const;
  void SetSubItem(size_t n, std::string value);
};

enum class SearchIn { kText, kSubItems };

// Rows are indexed from 0 here; procedures that count rows from 1 convert at their edge.
class ListView : public Control {
 public:
  ListView(std::string name, std::vector<std::string> columns)
      : Control(std::move(name)), columns_(std::move(columns)) {}
  ListView(Window& window, std::string name, std::vector<std::string> columns)
      : Control(window, std::move(name)), columns_(std::move(columns)) {}

  const std::vector<std::string>& Columns() const { return columns_; }
  size_t ColumnCount() const { return columns_.size(); }
  void AddColumn(std::string header);
  void RemoveColumn(size_t index);

  size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const ListRow& Row(size_t index) const;
  const std::vector<ListRow>& Rows() const { return rows_; }

  // Appends a row and returns its index.
  size_t Add(ListRow row);
  size_t Add(std::string text, std::vector<std::string> subItems = {}, std::string key = {});
  void SetChecked(size_t index, bool checked);
  void SetSubItem(size_t index, size_t n, std::string value);
  void Remove(size_t index);
  // Removes every checked row; the others keep their order.
  size_t RemoveChecked();
  // Removes every row for which keep is false; the others keep their order.
  template <class Pred>
  size_t RemoveIf(Pred remove);
  void Clear();

  std::optional<size_t> SelectedIndex() const { return selected_; }
  void Select(std::optional<size_t> index);

  // The first row, in list order, whose text (kText) or one of whose sub-items (kSubItems) equals the
  // searched text as a whole, letter case ignored. Served from an index built on first use after a change.
  std::optional<size_t> FindItem(std::string_view text, SearchIn where) const;

 private:
  void Invalidate();
  void BuildIndex(SearchIn where) const;

  std::vector<std::string> columns_;
  std::vector<ListRow> rows_;
  std::optional<size_t> selected_;
  mutable std::unordered_map<std::string, size_t> textIndex_;
  mutable std::unordered_map<std::string, size_t> subItemIndex_;
  mutable bool textIndexValid_ = false;
  mutable bool subItemIndexValid_ = false;
};

template <class Pred>
size_t ListView::RemoveIf(Pred remove) {
  size_t before = rows_.size();
  std::vector<ListRow> kept;
  kept.reserve(rows_.size());
  for (auto& row : rows_) {
    if (!remove(static_cast<const ListRow&>(row))) kept.push_back(std::move(row));
  }
  rows_ = std::move(kept);
  selected_.reset();
  Invalidate();
  size_t removed = before - rows_.size();
  if (removed != 0) Notify(Change::kRowsCleared);
  return removed;
}

}  // namespace veltrane
