#include "app/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <set>

#include "app/cp1252.h"
#include "app/system_error_text.h"

namespace pannellonistica {
namespace {

std::string Padded(std::string_view text) {
  std::string field(text.substr(0, kTextSize));
  field.resize(kTextSize, ' ');
  return field;
}

// pwrite until every byte is written; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes, size_t offset) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += static_cast<size_t>(written);
  }
  return true;
}

[[noreturn]] void Fail(const char* action, const std::filesystem::path& path, int error) {
  throw DataFileError("Impossibile " + std::string(action) + " il file dei dati \"" +
                      path.string() + "\": " + SystemErrorText(error) + ".");
}

}  // namespace

std::string NormalizeKey(std::string_view key) {
  return UpperCase(TrimSpaces(key));
}

DataFile::DataFile(std::filesystem::path path) : path_(std::move(path)) {
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    // A file we may read but not write still loads; saving will then report the refusal.
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (fd_ < 0) Fail("aprire", path_, errno);
  // The destructor does not run when the constructor throws: close the file first.
  const auto fail = [this](const char* action, int error) {
    ::close(fd_);
    fd_ = -1;
    Fail(action, path_, error);
  };
  struct stat info {};
  if (::fstat(fd_, &info) != 0) fail("leggere", errno);
  if (S_ISDIR(info.st_mode)) fail("aprire", EISDIR);
  image_.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (done < image_.size()) {
    const ssize_t got =
        ::pread(fd_, image_.data() + done, image_.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fail("leggere", errno);
    if (got == 0) break;  // shrunk meanwhile: what was read is the file
    done += static_cast<size_t>(got);
  }
  image_.resize(done);
  original_length_ = done;
  original_count_ = record_count_ = static_cast<int>(done / kRecordSize);
  original_tail_ = image_.substr(static_cast<size_t>(original_count_) * kRecordSize);
  changed_.assign(static_cast<size_t>(record_count_), false);
}

DataFile::~DataFile() {
  if (fd_ >= 0) ::close(fd_);
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
    changed_.push_back(false);
  }
  const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
  if (!changed_[static_cast<size_t>(n - 1)] && n <= original_count_) {
    saved_records_.emplace(n, image_.substr(start, kRecordSize));
  }
  image_.replace(start, kRecordSize, Padded(key) + Padded(value));
  changed_[static_cast<size_t>(n - 1)] = true;
}

void DataFile::IndexKeys() {
  for (int n = record_count_; n >= 1; --n) {  // backwards, so the first occurrence wins
    const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
    first_record_[NormalizeKey(std::string_view(image_).substr(start, kTextSize))] = n;
  }
  indexed_ = true;
}

void DataFile::Upsert(std::string_view key, std::string_view value) {
  if (!indexed_) IndexKeys();
  const auto [found, inserted] = first_record_.try_emplace(NormalizeKey(key), record_count_ + 1);
  WriteRecord(found->second, key, value);
}

void DataFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  int error = 0;
  // Appended records first, in one write: if the disk is full, nothing else has changed yet.
  const size_t append_at = static_cast<size_t>(original_count_) * kRecordSize;
  const bool appends = record_count_ > original_count_;
  if (appends && !WriteAll(fd, std::string_view(image_).substr(append_at), append_at)) {
    error = errno;
  }
  std::vector<int> rewritten;
  for (int n = 1; error == 0 && n <= original_count_; ++n) {
    if (!changed_[static_cast<size_t>(n - 1)]) continue;
    const size_t start = static_cast<size_t>(n - 1) * kRecordSize;
    if (!WriteAll(fd, std::string_view(image_).substr(start, kRecordSize), start)) {
      error = errno;
    } else {
      rewritten.push_back(n);
    }
  }
  if (error == 0 && (appends || !rewritten.empty()) && ::fsync(fd) != 0) error = errno;
  if (error != 0) {
    // Put back what was changed, so the records already in the file stay intact.
    for (const int n : rewritten) {
      WriteAll(fd, saved_records_.at(n), static_cast<size_t>(n - 1) * kRecordSize);
    }
    if (appends) {
      WriteAll(fd, original_tail_, append_at);
      // Should this fail too, the original error is still the one to report.
      [[maybe_unused]] const bool truncated =
          ::ftruncate(fd, static_cast<off_t>(original_length_)) == 0;
    }
    ::close(fd);
    Fail("scrivere", path_, error);
  }
  if (::close(fd) != 0) Fail("scrivere", path_, errno);
}

std::map<std::string, std::string> ReadKeys(const std::filesystem::path& path,
                                            const std::vector<std::string>& keys) {
  std::set<std::string, std::less<>> wanted;
  for (const auto& key : keys) wanted.insert(NormalizeKey(key));
  std::map<std::string, std::string> values;
  DataFile file(path);
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
