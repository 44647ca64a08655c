// The shared data file dati2.dat: fixed 510-byte records, no header, no separators, no line
// ends. Bytes 0-254 hold the key and bytes 255-509 the value, each left-aligned and padded
// with spaces, in Windows-1252. A trailing partial record is ignored by reading and is
// overwritten by the next appended record.
#pragma once

#include <chrono>
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

// How a DataFile is opened. Every access holds an advisory lock (flock) on the file from
// the open to Close or destruction: readers share it, a save holds it alone.
enum class DataAccess {
  kRead,        // a missing file reads as empty and is not created
  kReadCreate,  // a missing file is created empty when the folder allows it
  kSave,        // the file (created when missing) must be writable; Close writes the changes
};

// How long an access waits for another program to release the data file.
inline constexpr std::chrono::milliseconds kDataFileLockWait{2000};

// One open-use-close cycle over the data file. The constructor reads the whole file in one
// pass under the lock; WriteRecord and Upsert change the image in memory; Close writes the
// image to a new file beside the data file and renames it over the old one, so the file is
// always either wholly old or wholly new, and records the caller did not touch keep their
// bytes. A failure leaves the data file as it was. Destroying an unclosed DataFile writes
// nothing.
class DataFile {
 public:
  // Throws DataFileError when the file cannot be created, opened or read (a read-only
  // folder, a folder or a pipe in its place), when a save finds it read-only, or when
  // another program holds the lock for longer than `lock_wait`.
  explicit DataFile(std::filesystem::path path, DataAccess access = DataAccess::kSave,
                    std::chrono::milliseconds lock_wait = kDataFileLockWait);
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

  // Rewrites the last record whose key, trimmed and upper-cased, equals `key` trimmed and
  // upper-cased (the copy reading takes), with `key` and `value`; appends a record when none
  // matches. Earlier copies of the key are left as they are. The first call indexes the keys
  // in one pass, so a save costs one pass whatever its key count.
  void Upsert(std::string_view key, std::string_view value);

  // Writes the changes (a save with no change writes nothing) and releases the file.
  // Throws DataFileError on failure, the file being left as it was.
  void Close();

 private:
  void IndexKeys();
  void Release() noexcept;

  std::filesystem::path path_;
  DataAccess access_;
  int fd_ = -1;        // holds the lock; -1 when the file is missing and was not created
  std::string image_;  // the file's bytes, with appended records after the complete ones
  int record_count_ = 0;
  bool changed_ = false;
  bool indexed_ = false;
  std::unordered_map<std::string, int> last_record_;  // normalized key -> record number
};

// The comparison form of a key: trimmed of spaces and upper-cased.
std::string NormalizeKey(std::string_view key);

// Reads the trimmed values of `keys` from the file at `path` in one pass; a key that
// occurs more than once yields its last occurrence, a key that never occurs is absent.
// Throws DataFileError as DataFile does.
std::map<std::string, std::string> ReadKeys(
    const std::filesystem::path& path, const std::vector<std::string>& keys,
    DataAccess access = DataAccess::kReadCreate,
    std::chrono::milliseconds lock_wait = kDataFileLockWait);

}  // namespace pannellonistica
