// The shared data file dati2.dat: fixed 510-byte records, no header, no separators, no line
// ends. Bytes 0-254 hold the key and bytes 255-509 the value, each left-aligned and padded
// with spaces, in Windows-1252. A trailing partial record is ignored by reading and is
// overwritten by the next appended record.
#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pannellonistica {

inline constexpr size_t kRecordSize = 510;
inline constexpr size_t kTextSize = 255;

// A data file that could not be opened, read or written. what() is an Italian sentence
// naming the file and the cause, ready for a message box.
class DataFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A record's two fields as stored (255 bytes each), viewing the DataFile's memory: valid
// until its next WriteRecord, Upsert or Close.
struct DataRecord {
  std::string_view key;
  std::string_view value;
};

// One open-use-close cycle over the data file. Open reads the whole file in one pass;
// WriteRecord and Upsert change the image in memory; Close writes the changed records back.
// Close either writes every change or, when the system refuses a write (disk full, file
// size limit, I/O error), puts back every byte it had changed and throws: the records
// already in the file stay intact. Destroying an unclosed DataFile writes nothing.
class DataFile {
 public:
  // Opens `path` for reading and writing, creating an empty file when none exists.
  // Throws DataFileError when the file cannot be created, opened or read (a read-only
  // folder, a folder in its place).
  explicit DataFile(std::filesystem::path path);
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // The file length divided by 510, rounded down, counting appended records.
  int RecordCount() const { return record_count_; }

  // Record n, from 1 to RecordCount(), as two 255-byte texts.
  DataRecord ReadRecord(int n) const;

  // Writes record n (1 to RecordCount() + 1; the latter appends), key and value padded
  // with spaces or cut to 255 bytes.
  void WriteRecord(int n, std::string_view key, std::string_view value);

  // Rewrites the first record whose key, trimmed and upper-cased, equals `key` trimmed and
  // upper-cased, with `key` and `value`; appends a record when none matches. The first
  // call indexes the keys in one pass, so a save costs one pass whatever its key count.
  void Upsert(std::string_view key, std::string_view value);

  // Writes the changes and closes the file. Throws DataFileError on failure, having put
  // the file back as it was.
  void Close();

 private:
  void IndexKeys();

  std::filesystem::path path_;
  int fd_ = -1;
  std::string image_;  // the file's bytes, with appended records after the complete ones
  size_t original_length_ = 0;
  std::string original_tail_;                 // the trailing partial record, put back on failure
  std::map<int, std::string> saved_records_;  // record number -> bytes before the first change
  int original_count_ = 0;
  int record_count_ = 0;
  std::vector<bool> changed_;  // per record, 0-based
  bool indexed_ = false;
  std::unordered_map<std::string, int> first_record_;  // normalized key -> record number
};

// The comparison form of a key: trimmed of spaces and upper-cased.
std::string NormalizeKey(std::string_view key);

// Reads the trimmed values of `keys` from the file at `path` in one pass; a key that
// occurs more than once yields its last occurrence, a key that never occurs is absent.
// Throws DataFileError as DataFile does.
std::map<std::string, std::string> ReadKeys(const std::filesystem::path& path,
                                            const std::vector<std::string>& keys);

}  // namespace pannellonistica
