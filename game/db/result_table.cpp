#include "game/db/result_table.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <string.h>

#include <utility>

namespace trv::db {

ResultTable::ResultTable(char** table, int rows, int columns)
    : table_(table), rows_(table ? rows : 0), columns_(table ? columns : 0) {}

ResultTable::~ResultTable() { sqlite3_free_table(table_); }

ResultTable::ResultTable(ResultTable&& other) noexcept
    : table_(std::exchange(other.table_, nullptr)),
      rows_(std::exchange(other.rows_, 0)),
      columns_(std::exchange(other.columns_, 0)) {}

ResultTable& ResultTable::operator=(ResultTable&& other) noexcept {
  if (this != &other) {
    sqlite3_free_table(table_);
    table_ = std::exchange(other.table_, nullptr);
    rows_ = std::exchange(other.rows_, 0);
    columns_ = std::exchange(other.columns_, 0);
  }
  return *this;
}

char** ResultTable::release() {
  rows_ = 0;
  columns_ = 0;
  return std::exchange(table_, nullptr);
}

const char* ResultTable::Entry(int row, int column) const {
  if (!HasRow(row) || column < 0 || column >= columns_) return nullptr;
  // Data row r (from 0) follows the header row.
  return table_[(row + 1) * columns_ + column];
}

const char* ResultTable::Text(int row, int column) const {
  const char* value = Entry(row, column);
  return value ? value : "";
}

const char* ResultTable::Text(int row, const char* column_name) const {
  return Text(row, ColumnIndex(column_name));
}

long long ResultTable::Int(int row, int column) const {
  const char* value = Entry(row, column);
  return value ? strtoll(value, nullptr, 10) : 0;
}

long long ResultTable::Int(int row, const char* column_name) const {
  return Int(row, ColumnIndex(column_name));
}

bool ResultTable::IsNull(int row, int column) const {
  return HasRow(row) && column >= 0 && column < columns_ && Entry(row, column) == nullptr;
}

int ResultTable::ColumnIndex(const char* column_name) const {
  if (table_ == nullptr || column_name == nullptr) return -1;
  for (int c = 0; c < columns_; ++c) {
    if (table_[c] != nullptr && strcmp(table_[c], column_name) == 0) return c;
  }
  return -1;
}

const char* ResultTable::ColumnName(int column) const {
  if (table_ == nullptr || column < 0 || column >= columns_ || table_[column] == nullptr) return "";
  return table_[column];
}

}  // namespace trv::db
