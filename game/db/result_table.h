// The rows of a query, owned.
//
// Wraps the table that DoSQL returns and frees it. Values are read by data
// row (0 is the first row after the column names) and column; SQL NULL and
// any place outside the result read as "" (or 0), so no caller can read an
// empty result's first row or hand a null pointer to a format.
#ifndef TRV_GAME_DB_RESULT_TABLE_H_
#define TRV_GAME_DB_RESULT_TABLE_H_

namespace trv::db {

class ResultTable {
 public:
  ResultTable() = default;
  // Takes over a table from DoSQL.
  ResultTable(char** table, int rows, int columns);
  ~ResultTable();

  ResultTable(ResultTable&& other) noexcept;
  ResultTable& operator=(ResultTable&& other) noexcept;
  ResultTable(const ResultTable&) = delete;
  ResultTable& operator=(const ResultTable&) = delete;

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  bool empty() const { return rows_ == 0; }
  bool HasRow(int row) const { return row >= 0 && row < rows_; }

  // The value at (row, column); "" for SQL NULL and outside the result.
  const char* Text(int row, int column) const;
  const char* Text(int row, const char* column_name) const;
  // The value read as a decimal number; 0 for NULL, text and outside.
  long long Int(int row, int column) const;
  long long Int(int row, const char* column_name) const;
  // True for SQL NULL; false outside the result.
  bool IsNull(int row, int column) const;

  // Position of a column by name (exact), -1 when the result has none.
  int ColumnIndex(const char* column_name) const;
  const char* ColumnName(int column) const;

  // The raw table, for code written against DoSQL's own layout.
  char** get() const { return table_; }
  char** release();

 private:
  // The entry, or nullptr outside the result.
  const char* Entry(int row, int column) const;

  char** table_ = nullptr;
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace trv::db

#endif  // TRV_GAME_DB_RESULT_TABLE_H_
