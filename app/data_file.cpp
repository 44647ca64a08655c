#include "app/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <set>

#include "app/cp1252.h"
#include "app/file_replacement.h"
#include "app/locked_file.h"
#include "app/system_error_text.h"

namespace pannellonistica {
namespace {

std::string Padded(std::string_view text) {
  std::string field(text.substr(0, kTextSize));
  field.resize(kTextSize, ' ');
  return field;
}

[[noreturn]] void Fail(const char* action, const std::filesystem::path& path, int error) {
  if (error == kLockTimeout) {
    throw DataFileError("Il file dei dati \"" + path.string() +
                        "\" è bloccato da un altro programma che lo sta usando: riprovare tra "
                        "qualche istante.");
  }
  throw DataFileError("Impossibile " + std::string(action) + " il file dei dati \"" +
                      path.string() + "\": " + SystemErrorText(error) + ".");
}

bool RefusedForWriting(int error) {
  return error == EACCES || error == EROFS || error == EPERM;
}

}  // namespace

std::string NormalizeKey(std::string_view key) {
  return UpperCase(TrimSpaces(key));
}

DataFile::DataFile(std::filesystem::path path, DataAccess access,
                   std::chrono::milliseconds lock_wait)
    : path_(std::move(path)), access_(access) {
  const LockKind kind = access == DataAccess::kSave ? LockKind::kExclusive : LockKind::kShared;
  LockedOpen opened;
  const char* action = access == DataAccess::kSave ? "salvare" : "aprire";
  if (access == DataAccess::kRead) {
    opened = OpenLocked(path_, O_RDONLY, kind, lock_wait);
    if (opened.error == ENOENT) return;  // read as empty, and not created by reading
  } else {
    opened = OpenLocked(path_, O_RDWR | O_CREAT, kind, lock_wait);
    if (access == DataAccess::kReadCreate && RefusedForWriting(opened.error)) {
      // A file we may read but not write still loads; saving will then report the refusal.
      const LockedOpen read_only = OpenLocked(path_, O_RDONLY, kind, lock_wait);
      if (read_only.error == ENOENT) {
        action = "creare";
      } else {
        opened = read_only;
      }
    } else if (opened.error == ENOENT) {
      action = "creare";
    }
  }
  if (opened.fd < 0) Fail(action, path_, opened.error);
  fd_ = opened.fd;
  struct stat info {};
  int error = ::fstat(fd_, &info) != 0 ? errno : 0;
  image_.resize(error == 0 ? static_cast<size_t>(info.st_size) : 0);
  size_t done = 0;
  while (error == 0 && done < image_.size()) {
    const ssize_t got =
        ::pread(fd_, image_.data() + done, image_.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno;
    if (got <= 0) break;  // a file that shrank meanwhile is what was read
    done += static_cast<size_t>(got);
  }
  if (error != 0) {
    // The destructor does not run when the constructor throws.
    Release();
    Fail("leggere", path_, error);
  }
  image_.resize(done);
  record_count_ = static_cast<int>(done / kRecordSize);
}

DataFile::~DataFile() {
  Release();
}

void DataFile::Release() noexcept {
  if (fd_ >= 0) ::close(fd_);  // releases the lock too
  fd_ = -1;
}

DataRecord DataFile::ReadRecord(int n) const {
  assert(n >= 1 && n <= record_count_);
  const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
  const std::string_view image(image_);
  return {image.substr(start, kTextSize), image.substr(start + kTextSize, kTextSize)};
}

void DataFile::WriteRecord(int n, std::string_view key, std::string_view value) {
  assert(n >= 1 && n <= record_count_ + 1);
  if (n == record_count_ + 1) {
    ++record_count_;
    // The trailing partial record, if any, is overwritten.
    image_.resize(static_cast<size_t>(record_count_) * kRecordSize);
  }
  const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
  image_.replace(start, kRecordSize, Padded(key) + Padded(value));
  changed_ = true;
}

void DataFile::IndexKeys() {
  for (int n = 1; n <= record_count_; ++n) {  // forwards, so the last occurrence wins
    const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
    last_record_[NormalizeKey(std::string_view(image_).substr(start, kTextSize))] = n;
  }
  indexed_ = true;
}

void DataFile::Upsert(std::string_view key, std::string_view value) {
  if (!indexed_) IndexKeys();
  const auto [found, inserted] = last_record_.try_emplace(NormalizeKey(key), record_count_ + 1);
  WriteRecord(found->second, key, value);
}

void DataFile::Close() {
  if (access_ == DataAccess::kSave && changed_) {
    // Written while the lock is still held: nobody can save in between.
    const int error = ReplaceFileContent(path_, image_);
    if (error != 0) {
      Release();
      Fail("salvare", path_, error);
    }
  }
  Release();
}

std::map<std::string, std::string> ReadKeys(const std::filesystem::path& path,
                                            const std::vector<std::string>& keys, DataAccess access,
                                            std::chrono::milliseconds lock_wait) {
  std::set<std::string, std::less<>> wanted;
  for (const auto& key : keys) wanted.insert(NormalizeKey(key));
  std::map<std::string, std::string> values;
  DataFile file(path, access, lock_wait);
  std::string key;  // reused: no allocation per record
  for (int n = 1; n <= file.RecordCount(); ++n) {
    const DataRecord record = file.ReadRecord(n);
    key.assign(TrimSpaces(record.key));
    for (char& c : key) c = UpperCaseByte(c);
    if (wanted.contains(key)) values[key] = std::string(TrimSpaces(record.value));
  }
  file.Close();
  return values;
}

}  // namespace pannellonistica
