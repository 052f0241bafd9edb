#include "game/combat/data_file.h"

#include <ctype.h>
#include <limits.h>
#include <stdio.h>

#include <memory>

#include "doorkit/doorkit.h"

namespace trv::combat {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};

// One line as a reader with a buffer of `limit` bytes sees it: at most
// limit - 1 bytes, the line break included. The rest of a longer line is
// read and thrown away, so it never turns into a line of its own; *cut
// tells whether anything but the line break was lost. False at the end.
bool ReadLine(FILE* file, size_t limit, std::string* line, bool* cut) {
  line->clear();
  *cut = false;
  const size_t room = limit > 1 ? limit - 1 : 0;
  bool read_any = false;
  for (int c = getc(file); c != EOF; c = getc(file)) {
    read_any = true;
    if (line->size() < room) {
      line->push_back(static_cast<char>(c));
    } else if (c != '\n' && c != '\r') {
      *cut = true;
    }
    if (c == '\n') break;
  }
  while (!line->empty() && (line->back() == '\n' || line->back() == '\r')) line->pop_back();
  return read_any;
}

bool IsBlank(const std::string& line) {
  for (char c : line)
    if (!isspace(static_cast<unsigned char>(c))) return false;
  return true;
}

// The fields of a line, or nullopt when it is no record of this format.
std::optional<DataRecord> Split(std::string line, const DataFormat& format) {
  if (format.trailing_comma && !line.empty() && line.back() == ',') line.pop_back();
  DataRecord fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    const size_t end = comma == std::string::npos ? line.size() : comma;
    if (end == start) return std::nullopt;                           // an empty field
    if (fields.size() == format.widths.size()) return std::nullopt;  // too many
    fields.push_back(line.substr(start, std::min(end - start, format.widths[fields.size()])));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (fields.size() != format.widths.size()) return std::nullopt;
  return fields;
}

}  // namespace

std::optional<DataFile> ReadDataFile(const char* path, const DataFormat& format) {
  std::unique_ptr<FILE, FileCloser> file(fopen(path, "r"));
  if (!file) return std::nullopt;
  DataFile data;
  std::string line;
  bool cut = false;
  while (data.records.size() < format.record_limit &&
         ReadLine(file.get(), format.line_limit, &line, &cut)) {
    if (cut) ++data.cut_lines;
    if (IsBlank(line)) continue;
    std::optional<DataRecord> record = Split(line, format);
    if (record) {
      data.records.push_back(std::move(*record));
    } else {
      ++data.skipped_lines;
    }
  }
  return data;
}

DataFile ReadGameDataFile(const char* path, const DataFormat& format) {
  std::optional<DataFile> data = ReadDataFile(path, format);
  if (data) return std::move(*data);
  fprintf(stderr, "%s: Cannot open input file - %s\n", od_control.od_prog_name, path);
  od_printf("Cannot open input file - %s\n\r", path);
  od_exit(1, FALSE);
}

long long DataNumber(const std::string& field) {
  const char* p = field.c_str();
  while (isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // Gathered as a negative number, whose range is the larger one.
  long long value = 0;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
    const int digit = *p - '0';
    if (value < (LLONG_MIN + digit) / 10) {
      value = LLONG_MIN;
    } else {
      value = value * 10 - digit;
    }
  }
  if (negative) return value;
  return value == LLONG_MIN ? LLONG_MAX : -value;
}

int DataInt(const std::string& field) {
  const long long value = DataNumber(field);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace trv::combat
