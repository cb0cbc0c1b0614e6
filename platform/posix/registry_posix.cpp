// The POSIX registry: a REGEDIT4 hive file read and written under a file lock.
#include "platform/posix/registry_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/posix/posix_util.h"
#include "platform/registry_encoding.h"
#include "platform/system_services.h"

namespace platform {
namespace {

using posix::UniqueFd;

// What Windows answers for a key path that starts with a backslash.
constexpr Status kBadPathname = 161;  // ERROR_BAD_PATHNAME

// Windows nests keys at most 512 levels deep. Holding the hive to the same
// limit keeps the recursive writer and the key tree's destruction within the
// stack whatever a file holds.
constexpr size_t kMaxDepth = 512;

constexpr const char* kHeader = "REGEDIT4";
constexpr const char* kNewline = "\r\n";
// regedit keeps hex lines within 80 columns; so do we.
constexpr size_t kMaxLine = 80;

// ---------------------------------------------------------------------------
// The hive in memory.

struct HiveValue {
  std::string name;
  RegistryValue value;
};

// The form of a key or value name its index is kept under: names compare
// without regard to case.
std::string IndexName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(base::ToUpperAnsi(static_cast<unsigned char>(c)));
  return upper;
}

struct HiveKey {
  std::string name;
  std::vector<std::string> comments;  // ";" lines of the key's section
  std::vector<HiveValue> values;      // in creation order
  std::vector<std::unique_ptr<HiveKey>> subkeys;
  // Indexes by IndexName, so a key with many subkeys or values (a hive of a
  // hundred thousand keys) is read and searched in n log n, not n squared.
  std::map<std::string, HiveKey*> subkey_index;
  std::map<std::string, size_t> value_index;

  HiveKey* FindSubKey(std::string_view wanted) const {
    const auto found = subkey_index.find(IndexName(wanted));
    return found == subkey_index.end() ? nullptr : found->second;
  }

  // The subkey of that name, created when missing; *created tells which.
  HiveKey* AddSubKey(std::string_view wanted, bool* created) {
    std::string index_name = IndexName(wanted);
    if (const auto found = subkey_index.find(index_name); found != subkey_index.end()) {
      return found->second;
    }
    subkeys.push_back(std::make_unique<HiveKey>());
    subkeys.back()->name = std::string(wanted);
    subkey_index.emplace(std::move(index_name), subkeys.back().get());
    *created = true;
    return subkeys.back().get();
  }

  bool RemoveSubKey(std::string_view wanted) {
    const auto found = subkey_index.find(IndexName(wanted));
    if (found == subkey_index.end()) return false;
    HiveKey* const gone = found->second;
    subkey_index.erase(found);
    std::erase_if(subkeys, [gone](const std::unique_ptr<HiveKey>& sub) { return sub.get() == gone; });
    return true;
  }

  HiveValue* FindValue(std::string_view wanted) {
    const auto found = value_index.find(IndexName(wanted));
    return found == value_index.end() ? nullptr : &values[found->second];
  }

  void AddValue(HiveValue value) {
    value_index.emplace(IndexName(value.name), values.size());
    values.push_back(std::move(value));
  }

  bool RemoveValue(std::string_view wanted) {
    const auto found = value_index.find(IndexName(wanted));
    if (found == value_index.end()) return false;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(found->second));
    value_index.clear();
    for (size_t i = 0; i < values.size(); ++i) value_index.emplace(IndexName(values[i].name), i);
    return true;
  }
};

constexpr int kRootCount = 3;
constexpr const char* kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                               "HKEY_LOCAL_MACHINE"};

int RootIndex(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot:
      return 0;
    case RootKey::kCurrentUser:
      return 1;
    case RootKey::kLocalMachine:
      return 2;
  }
  return 1;
}

struct Hive {
  std::vector<std::string> preamble;  // comments before the first section
  HiveKey roots[kRootCount];
};

using KeyPath = std::vector<std::string>;

// Splits a key path the way Windows does: runs of backslashes count as one and
// a trailing one is ignored, but a leading one is refused.
Status SplitKeyPath(std::string_view path, KeyPath* names) {
  names->clear();
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  for (const std::string& part : base::Split(path, '\\')) {
    if (part.empty()) continue;
    if (Status status = CheckRegistryName(part); status != kOk) return status;
    names->push_back(part);
  }
  return names->size() > kMaxDepth ? kInvalidParameter : kOk;
}

HiveKey* FindKey(Hive& hive, RootKey root, const KeyPath& names) {
  HiveKey* key = &hive.roots[RootIndex(root)];
  for (const std::string& name : names) {
    key = key->FindSubKey(name);
    if (!key) return nullptr;
  }
  return key;
}

// ---------------------------------------------------------------------------
// Reading a REGEDIT4 file.

struct ParseError {
  size_t line = 0;
  std::string what;
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

// Parses 1 to max_digits hex digits making up the whole of text.
bool ParseHexNumber(std::string_view text, size_t max_digits, uint32_t* number) {
  if (text.empty() || text.size() > max_digits) return false;
  uint32_t result = 0;
  for (char c : text) {
    if (!IsHexDigit(c)) return false;
    result = result << 4 | HexDigitValue(c);
  }
  *number = result;
  return true;
}

class HiveParser {
 public:
  explicit HiveParser(std::string_view text) {
    // Lines end in CR LF or LF alone.
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  bool Parse(Hive* hive, ParseError* error) {
    error_ = error;
    if (lines_.empty()) return true;  // an empty file is an empty hive
    if (base::Trim(lines_[0]) != kHeader) {
      return Fail(1, base::Format("the first line is not \"%s\"", kHeader));
    }
    HiveKey* current = nullptr;
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      std::string_view line = base::Trim(lines_[index_]);
      if (line.empty()) continue;
      if (line.front() == ';') {
        (current ? current->comments : hive->preamble).emplace_back(lines_[index_]);
      } else if (line.front() == '[') {
        current = ParseSection(line, hive);
        if (!current) return false;
      } else if (line.front() == '"' || line.front() == '@') {
        if (!current) return Fail(LineNumber(), "a value comes before the first key");
        if (!ParseValue(line, current)) return false;
      } else {
        return Fail(LineNumber(), "the line is not a key, a value or a comment");
      }
    }
    return true;
  }

 private:
  size_t LineNumber() const { return index_ + 1; }

  bool Fail(size_t line, std::string what) {
    error_->line = line;
    error_->what = std::move(what);
    return false;
  }

  HiveKey* ParseSection(std::string_view line, Hive* hive) {
    if (line.back() != ']') {
      Fail(LineNumber(), "the key name does not end with \"]\"");
      return nullptr;
    }
    std::string_view full = line.substr(1, line.size() - 2);
    if (!full.empty() && full.front() == '-') {
      Fail(LineNumber(), "a key deletion (\"[-...]\") cannot be part of a registry file");
      return nullptr;
    }
    std::vector<std::string> parts = base::Split(full, '\\');
    int root = -1;
    for (int i = 0; i < kRootCount; ++i) {
      if (base::EqualsNoCase(parts[0], kRootNames[i])) root = i;
    }
    if (root < 0) {
      Fail(LineNumber(), base::Format("\"%s\" is not one of the root keys HKEY_CLASSES_ROOT, "
                                      "HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE",
                                      parts[0].c_str()));
      return nullptr;
    }
    if (parts.size() - 1 > kMaxDepth) {
      Fail(LineNumber(), base::Format("keys nest deeper than %zu levels", kMaxDepth));
      return nullptr;
    }
    HiveKey* key = &hive->roots[root];
    for (size_t i = 1; i < parts.size(); ++i) {
      if (parts[i].empty()) {
        Fail(LineNumber(), "the key path has an empty key name");
        return nullptr;
      }
      bool created = false;
      key = key->AddSubKey(parts[i], &created);
    }
    return key;
  }

  // Reads a quoted string starting at line[*pos] == '"', leaving *pos after
  // its closing quote. Only \\ and \" are escapes, as in regedit's files.
  bool ParseQuoted(std::string_view line, size_t* pos, std::string* text) {
    text->clear();
    size_t i = *pos + 1;
    while (true) {
      if (i >= line.size()) return Fail(LineNumber(), "a string has no closing quote");
      char c = line[i];
      if (c == '"') break;
      if (c == '\\') {
        if (i + 1 >= line.size()) return Fail(LineNumber(), "a string has no closing quote");
        char next = line[i + 1];
        if (next != '\\' && next != '"') {
          return Fail(LineNumber(), base::Format("a string holds the unknown escape \"\\%c\" "
                                                 "(a backslash is written \"\\\\\")",
                                                 next));
        }
        text->push_back(next);
        i += 2;
        continue;
      }
      text->push_back(c);
      ++i;
    }
    *pos = i + 1;
    return true;
  }

  static void SkipBlanks(std::string_view line, size_t* pos) {
    while (*pos < line.size() && (line[*pos] == ' ' || line[*pos] == '\t')) ++*pos;
  }

  bool ParseValue(std::string_view line, HiveKey* key) {
    const size_t value_line = LineNumber();
    size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else if (!ParseQuoted(line, &pos, &name)) {
      return false;
    }
    SkipBlanks(line, &pos);
    if (pos >= line.size() || line[pos] != '=') {
      return Fail(value_line, "a value name is not followed by \"=\"");
    }
    ++pos;
    SkipBlanks(line, &pos);
    std::string_view data = line.substr(pos);

    RegistryValue value;
    if (!data.empty() && data.front() == '"') {
      std::string text;
      size_t end = 0;
      if (!ParseQuoted(data, &end, &text)) return false;
      if (!base::Trim(data.substr(end)).empty()) {
        return Fail(value_line, "there is text after the closing quote of a string");
      }
      value = RegistryValue::String(text);
    } else if (data == "-") {
      return Fail(value_line, "a value deletion (\"=-\") cannot be part of a registry file");
    } else if (base::StartsWithNoCase(data, "dword:")) {
      uint32_t number = 0;
      if (!ParseHexNumber(data.substr(6), 8, &number)) {
        return Fail(value_line, "a dword value needs one to eight hex digits");
      }
      value = RegistryValue::Dword(number);
    } else if (base::StartsWithNoCase(data, "hex")) {
      if (!ParseHexValue(data.substr(3), &value)) return false;
    } else {
      return Fail(value_line, "the value data is not a string, dword: or hex:");
    }

    if (key->FindValue(name)) {
      return Fail(value_line, name.empty() ? std::string("the default value is given twice")
                                           : base::Format("the value \"%s\" is given twice",
                                                          name.c_str()));
    }
    key->AddValue(HiveValue{std::move(name), std::move(value)});
    return true;
  }

  // Parses what follows "hex": an optional "(type)", ":" and the bytes, which
  // may continue over lines ending in "\".
  bool ParseHexValue(std::string_view data, RegistryValue* value) {
    const size_t value_line = LineNumber();
    uint32_t type = 3;  // hex: alone is REG_BINARY
    if (!data.empty() && data.front() == '(') {
      size_t close = data.find(')');
      if (close == std::string_view::npos || !ParseHexNumber(data.substr(1, close - 1), 8, &type)) {
        return Fail(value_line, "a hex value type is not written \"hex(n)\"");
      }
      data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':') {
      return Fail(value_line, "\"hex\" is not followed by \":\"");
    }
    data.remove_prefix(1);
    if (type != 1 && type != 2 && type != 3 && type != 4 && type != 7) {
      return Fail(value_line, base::Format("values of type hex(%x) are not supported", type));
    }

    std::vector<uint8_t> bytes;
    while (true) {
      data = base::Trim(data);
      bool continued = !data.empty() && data.back() == '\\';
      if (continued) data = base::Trim(data.substr(0, data.size() - 1));
      if (!data.empty() || continued) {
        std::vector<std::string> items = base::Split(data, ',');
        for (size_t i = 0; i < items.size(); ++i) {
          std::string_view item = base::Trim(items[i]);
          // regedit ends a continued line with a comma: "00,01,\".
          if (item.empty() && continued && i + 1 == items.size()) break;
          uint32_t byte = 0;
          if (!ParseHexNumber(item, 2, &byte)) {
            return Fail(LineNumber(),
                        item.empty() ? std::string("a hex byte is missing between commas")
                                     : base::Format("\"%.*s\" is not a hex byte",
                                                    static_cast<int>(item.size()), item.data()));
          }
          bytes.push_back(static_cast<uint8_t>(byte));
        }
      }
      if (!continued) break;
      if (index_ + 1 >= lines_.size()) {
        return Fail(LineNumber(), "hex data continues past the end of the file");
      }
      data = lines_[++index_];
    }

    const ValueType value_type = static_cast<ValueType>(type);
    if (!DecodeRegistryValue(value_type, bytes.data(), bytes.size(), /*strict=*/true, value)) {
      return Fail(value_line, value_type == ValueType::kDword
                                  ? std::string("hex(4) data must be exactly four bytes")
                                  : base::Format("hex(%x) data holds bytes after the NUL that "
                                                 "ends it",
                                                 type));
    }
    return true;
  }

  std::vector<std::string_view> lines_;
  size_t index_ = 0;
  ParseError* error_ = nullptr;
};

// ---------------------------------------------------------------------------
// Writing a REGEDIT4 file.

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

// Appends bytes after the prefix ("name"=hex(7):) as regedit does, wrapping
// lines with ",\" and a two-space indent.
void AppendHex(std::string* out, const std::string& prefix, const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  *out += prefix;
  size_t column = prefix.size();
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) {
      out->push_back(',');
      ++column;
      // Room for the next byte, its comma and a backslash.
      if (column + 4 > kMaxLine) {
        *out += "\\";
        *out += kNewline;
        *out += "  ";
        column = 2;
      }
    }
    out->push_back(kDigits[bytes[i] >> 4]);
    out->push_back(kDigits[bytes[i] & 15]);
    column += 2;
  }
  *out += kNewline;
}

void AppendValue(std::string* out, const HiveValue& value) {
  std::string prefix = value.name.empty() ? "@=" : Quote(value.name) + "=";
  const RegistryValue& data = value.value;
  switch (data.type) {
    case ValueType::kString:
      // A line break cannot be written inside quotes; hex(1) holds the same
      // REG_SZ bytes.
      if (data.text.find_first_of("\r\n") == std::string::npos) {
        *out += prefix + Quote(data.text) + kNewline;
      } else {
        AppendHex(out, prefix + "hex(1):", EncodeRegistryValue(data));
      }
      break;
    case ValueType::kExpandString:
      AppendHex(out, prefix + "hex(2):", EncodeRegistryValue(data));
      break;
    case ValueType::kBinary:
      AppendHex(out, prefix + "hex:", data.bytes);
      break;
    case ValueType::kDword:
      *out += prefix + base::Format("dword:%08x", static_cast<unsigned>(data.dword)) + kNewline;
      break;
    case ValueType::kMultiString:
      AppendHex(out, prefix + "hex(7):", EncodeRegistryValue(data));
      break;
  }
}

void AppendSection(std::string* out, const std::string& path, const HiveKey& key) {
  *out += "[" + path + "]" + kNewline;
  for (const std::string& comment : key.comments) *out += comment + kNewline;
  for (const HiveValue& value : key.values) AppendValue(out, value);
  *out += kNewline;
}

// Every key gets its section, empty ones too, parents before children.
void AppendTree(std::string* out, const std::string& path, const HiveKey& key) {
  AppendSection(out, path, key);
  for (const auto& sub : key.subkeys) AppendTree(out, path + "\\" + sub->name, *sub);
}

std::string SerializeHive(const Hive& hive) {
  std::string out = std::string(kHeader) + kNewline + kNewline;
  for (const std::string& comment : hive.preamble) out += comment + kNewline;
  if (!hive.preamble.empty()) out += kNewline;
  for (int i = 0; i < kRootCount; ++i) {
    const HiveKey& root = hive.roots[i];
    if (!root.values.empty() || !root.comments.empty()) AppendSection(&out, kRootNames[i], root);
    for (const auto& sub : root.subkeys) {
      AppendTree(&out, std::string(kRootNames[i]) + "\\" + sub->name, *sub);
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// File helpers.

// The registry reports fewer codes than the files do: the shared mapping,
// with a missing file a missing path as well, a read-only file system access
// denied, and anything but those and a lack of memory given as otherwise.
Status RegistryStatus(int error, Status otherwise) {
  if (error == EROFS) return kAccessDenied;
  switch (const Status status = posix::StatusFromErrno(error)) {
    case kFileNotFound:
    case kPathNotFound:
      return kPathNotFound;
    case kAccessDenied:
    case kNotEnoughMemory:
      return status;
    default:
      return otherwise;
  }
}

std::string FolderOfPath(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates the folder and its missing parents; errno tells why on failure.
bool MakeFolders(const std::string& folder) {
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return true;
    errno = ENOTDIR;
    return false;
  }
  if (errno != ENOENT) return false;
  std::string parent = FolderOfPath(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

// The file a path names once symbolic links are followed, even when the
// last link points to a file that does not exist yet: replacing the hive
// must replace that file, not the link.
std::string FollowLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<size_t>(length) >= link.size()) break;
    link.resize(static_cast<size_t>(length));
    path = link.front() == '/' ? link : FolderOfPath(path) + "/" + link;
  }
  return path;
}

bool ReadAll(int fd, std::string* data) {
  data->clear();
  char buffer[65536];
  while (true) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    data->append(buffer, static_cast<size_t>(got));
  }
}

// What tells one version of the hive file from another. The file read last
// stays open, so its inode number cannot be given to a newer file.
struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  mode_t mode = 0;
  timespec modified{};
  timespec changed{};

  static FileIdentity Of(const struct stat& st) {
    FileIdentity id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.mode = st.st_mode;
    id.modified = st.st_mtim;
    id.changed = st.st_ctim;
    return id;
  }

  bool SameAs(const FileIdentity& other) const {
    auto same_time = [](const timespec& a, const timespec& b) {
      return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return exists == other.exists &&
           (!exists || (device == other.device && inode == other.inode &&
                        size == other.size && same_time(modified, other.modified) &&
                        same_time(changed, other.changed)));
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// The hive file shared by a registry and its keys.

class HiveFile {
 public:
  explicit HiveFile(std::string path) : path_(std::move(path)), lock_path_(path_ + ".lock") {}

  const std::string& path() const { return path_; }

  std::string LastErrorText() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return last_error_;
  }

  // A failure with nothing more to say than its code.
  Status PlainFailure(Status status) {
    std::lock_guard<std::mutex> guard(mutex_);
    last_error_.clear();
    return status;
  }

  // Runs operation(hive, &changed) on the current contents of the file under
  // the file lock, and writes the hive back when the operation succeeded and
  // set changed. An operation changes the hive only when it succeeds.
  template <typename Operation>
  Status Run(bool writes, Operation operation) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (path_.empty()) {
      return Fail(kPathNotFound,
                  "No registry file is set: GLINTMERE_REGISTRY and HOME are both empty.");
    }
    // Readers need no lock: the file is only ever replaced whole by a rename,
    // so a reader sees one complete version; writers take the lock that
    // orders their read-modify-write cycles.
    UniqueFd lock;
    if (writes) {
      if (Status status = Lock(writes, &lock); status != kOk) return status;
    }
    if (Status status = Refresh(); status != kOk) return status;
    bool changed = false;
    if (Status status = operation(hive_, &changed); status != kOk) {
      last_error_.clear();
      return status;
    }
    if (changed) {
      if (Status status = Save(); status != kOk) {
        // The hive in memory holds a change the file does not: read it again.
        state_ = State::kUnknown;
        return status;
      }
    }
    return kOk;
  }

 private:
  enum class State { kUnknown, kLoaded, kMalformed };

  Status Fail(Status status, std::string text) {
    last_error_ = std::move(text);
    return status;
  }

  Status FailErrno(Status otherwise, const char* what) {
    int error = errno;
    return Fail(RegistryStatus(error, otherwise),
                base::Format("Cannot %s the registry file \"%s\": %s.", what, path_.c_str(),
                             std::strerror(error)));
  }

  // Takes the exclusive lock that orders the operations of all processes.
  // Reading may go without it where the lock file cannot be made (no folder
  // yet, a read-only folder): the hive is only ever replaced whole, so a
  // reader always sees one complete version.
  Status Lock(bool writes, UniqueFd* lock) {
    if (writes && !MakeFolders(FolderOfPath(lock_path_))) {
      return FailErrno(kPathNotFound, "create the folder of");
    }
    // A new open file description each time: flock locks belong to it, and
    // one inherited across fork() would not exclude the other process.
    lock->Reset(open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock->valid()) {
      int error = errno;
      if (!writes && (error == ENOENT || error == ENOTDIR || error == EACCES ||
                      error == EPERM || error == EROFS)) {
        return kOk;
      }
      errno = error;
      return FailErrno(kLockViolation, "lock");
    }
    while (flock(lock->get(), LOCK_EX) != 0) {
      if (errno != EINTR) return FailErrno(kLockViolation, "lock");
    }
    return kOk;
  }

  // Brings hive_ up to date with the file, reading it only when it changed.
  Status Refresh() {
    struct stat st;
    if (stat(path_.c_str(), &st) != 0) {
      if (errno != ENOENT && errno != ENOTDIR) return FailErrno(kReadFault, "read");
      // A missing file is an empty registry.
      if (state_ != State::kLoaded || identity_.exists) {
        hive_ = Hive();
        held_.Reset();
        identity_ = FileIdentity();
        state_ = State::kLoaded;
      }
      return kOk;
    }
    if (state_ != State::kUnknown && identity_.SameAs(FileIdentity::Of(st))) {
      return state_ == State::kMalformed ? Fail(kBadDatabase, malformed_text_) : kOk;
    }

    UniqueFd file(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid() || fstat(file.get(), &st) != 0) return FailErrno(kReadFault, "read");
    if (!S_ISREG(st.st_mode)) {
      return Fail(kReadFault,
                  base::Format("The registry file \"%s\" is not a file.", path_.c_str()));
    }
    std::string text;
    if (!ReadAll(file.get(), &text)) return FailErrno(kReadFault, "read");

    Hive parsed;
    ParseError error;
    held_ = std::move(file);
    identity_ = FileIdentity::Of(st);
    if (!HiveParser(text).Parse(&parsed, &error)) {
      // Remembered with the file's identity, so the same broken file is
      // reported again without parsing it again.
      state_ = State::kMalformed;
      hive_ = Hive();
      malformed_text_ = base::Format("The registry file \"%s\" is malformed at line %zu: %s.",
                                     path_.c_str(), error.line, error.what.c_str());
      return Fail(kBadDatabase, malformed_text_);
    }
    hive_ = std::move(parsed);
    state_ = State::kLoaded;
    return kOk;
  }

  // Replaces the file with hive_: a temporary file in the same folder,
  // flushed to disk, then renamed over the old one.
  Status Save() {
    const std::string target = FollowLinks(path_);
    const std::string folder = FolderOfPath(target);
    RemoveStaleTemporaryFiles(target);
    std::string temp = target + ".tmp-XXXXXX";
    UniqueFd file(mkostemp(temp.data(), O_CLOEXEC));
    if (!file.valid()) return FailErrno(kWriteFault, "write");

    const std::string text = SerializeHive(hive_);
    bool written = (!identity_.exists || fchmod(file.get(), identity_.mode & 07777) == 0) &&
                   ::platform::posix::WriteAll(file.get(), text) == 0 && fsync(file.get()) == 0 &&
                   rename(temp.c_str(), target.c_str()) == 0;
    if (!written) {
      int error = errno;
      unlink(temp.c_str());
      errno = error;
      return FailErrno(kWriteFault, "write");
    }
    // The rename itself must reach the disk too.
    UniqueFd directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) fsync(directory.get());

    struct stat st;
    if (fstat(file.get(), &st) == 0) {
      identity_ = FileIdentity::Of(st);
      held_ = std::move(file);
    } else {
      state_ = State::kUnknown;  // read it again next time
    }
    return kOk;
  }

  // Removes the temporary files a writer killed half way left beside the
  // hive. Every writer holds the lock while its temporary file exists, and
  // so does the caller: any such file found now is a left-over.
  static void RemoveStaleTemporaryFiles(const std::string& target) {
    const std::string folder = FolderOfPath(target);
    const size_t slash = target.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
        unlinkat(dirfd(dir), name.c_str(), 0);
      }
    }
    closedir(dir);
  }

  mutable std::mutex mutex_;
  const std::string path_;
  const std::string lock_path_;
  State state_ = State::kUnknown;
  Hive hive_;
  FileIdentity identity_;
  UniqueFd held_;
  std::string malformed_text_;
  std::string last_error_;
};

namespace {

class PosixKey : public RegistryKey {
 public:
  PosixKey(std::shared_ptr<HiveFile> hive, RootKey root, KeyPath names)
      : hive_(std::move(hive)), root_(root), names_(std::move(names)) {}

  Status GetValue(std::string_view name, RegistryValue* value) override {
    return hive_->Run(false, [&](Hive& hive, bool*) {
      HiveKey* key = FindKey(hive, root_, names_);
      if (!key) return kKeyDeleted;
      HiveValue* found = key->FindValue(name);
      if (!found) return kFileNotFound;
      *value = found->value;
      return kOk;
    });
  }

  Status SetValue(std::string_view name, const RegistryValue& value) override {
    if (Status status = CheckRegistryName(name); status != kOk) {
      return hive_->PlainFailure(status);
    }
    if (Status status = CheckRegistryValue(value); status != kOk) {
      return hive_->PlainFailure(status);
    }
    const std::vector<uint8_t> encoded = EncodeRegistryValue(value);
    return hive_->Run(true, [&](Hive& hive, bool* changed) {
      HiveKey* key = FindKey(hive, root_, names_);
      if (!key) return kKeyDeleted;
      // Only the member of the type is kept, as a read from the file gives.
      RegistryValue stored;
      DecodeRegistryValue(value.type, encoded.data(), encoded.size(), false, &stored);
      if (HiveValue* found = key->FindValue(name)) {
        // The name keeps the case it was created with.
        if (found->value == stored) return kOk;
        found->value = std::move(stored);
      } else {
        key->AddValue(HiveValue{std::string(name), std::move(stored)});
      }
      *changed = true;
      return kOk;
    });
  }

  Status DeleteValue(std::string_view name) override {
    return hive_->Run(true, [&](Hive& hive, bool* changed) {
      HiveKey* key = FindKey(hive, root_, names_);
      if (!key) return kKeyDeleted;
      if (!key->RemoveValue(name)) return kFileNotFound;
      *changed = true;
      return kOk;
    });
  }

  Status ListSubKeys(std::vector<std::string>* names) override {
    return hive_->Run(false, [&](Hive& hive, bool*) {
      HiveKey* key = FindKey(hive, root_, names_);
      if (!key) return kKeyDeleted;
      names->clear();
      for (const auto& sub : key->subkeys) names->push_back(sub->name);
      return kOk;
    });
  }

  Status ListValues(std::vector<std::string>* names) override {
    return hive_->Run(false, [&](Hive& hive, bool*) {
      HiveKey* key = FindKey(hive, root_, names_);
      if (!key) return kKeyDeleted;
      names->clear();
      for (const HiveValue& value : key->values) names->push_back(value.name);
      return kOk;
    });
  }

 private:
  std::shared_ptr<HiveFile> hive_;
  RootKey root_;
  KeyPath names_;
};

}  // namespace

PosixRegistry::PosixRegistry(std::string hive_path)
    : hive_(std::make_shared<HiveFile>(std::move(hive_path))) {}

PosixRegistry::~PosixRegistry() = default;

const std::string& PosixRegistry::hive_path() const { return hive_->path(); }

std::string PosixRegistry::LastErrorText() const { return hive_->LastErrorText(); }

Status PosixRegistry::OpenKey(RootKey root, std::string_view path,
                              std::unique_ptr<RegistryKey>* key) {
  KeyPath names;
  if (Status status = SplitKeyPath(path, &names); status != kOk) {
    return hive_->PlainFailure(status);
  }
  Status status = hive_->Run(false, [&](Hive& hive, bool*) {
    return FindKey(hive, root, names) ? kOk : kFileNotFound;
  });
  if (status == kOk) *key = std::make_unique<PosixKey>(hive_, root, std::move(names));
  return status;
}

Status PosixRegistry::CreateKey(RootKey root, std::string_view path,
                                std::unique_ptr<RegistryKey>* key) {
  KeyPath names;
  if (Status status = SplitKeyPath(path, &names); status != kOk) {
    return hive_->PlainFailure(status);
  }
  Status status = hive_->Run(true, [&](Hive& hive, bool* changed) {
    HiveKey* current = &hive.roots[RootIndex(root)];
    for (const std::string& name : names) current = current->AddSubKey(name, changed);
    return kOk;
  });
  if (status == kOk) *key = std::make_unique<PosixKey>(hive_, root, std::move(names));
  return status;
}

Status PosixRegistry::DeleteTree(RootKey root, std::string_view path) {
  KeyPath names;
  if (Status status = SplitKeyPath(path, &names); status != kOk) {
    return hive_->PlainFailure(status);
  }
  if (names.empty()) return hive_->PlainFailure(kInvalidParameter);
  const std::string leaf = names.back();
  names.pop_back();
  return hive_->Run(true, [&](Hive& hive, bool* changed) {
    HiveKey* parent = FindKey(hive, root, names);
    if (!parent) return kFileNotFound;
    if (!parent->RemoveSubKey(leaf)) return kFileNotFound;
    *changed = true;
    return kOk;
  });
}

std::string DefaultHivePath() {
  if (const char* path = std::getenv("GLINTMERE_REGISTRY"); path && *path) return path;
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
    return std::string(data) + "/glintmere/registry.reg";
  }
  std::string home;
  if (const char* env = std::getenv("HOME"); env && *env) {
    home = env;
  } else {
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && *found->pw_dir) {
      home = found->pw_dir;
    }
  }
  if (home.empty()) return std::string();
  return home + "/.local/share/glintmere/registry.reg";
}

std::unique_ptr<Registry> CreateSystemRegistry() {
  return std::make_unique<PosixRegistry>(DefaultHivePath());
}

}  // namespace platform
