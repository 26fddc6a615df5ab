// The platform seam on Windows.

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_names.h"
#include "platform/platform.h"
#include "text/utf16.h"

namespace merid {
namespace {

// The system's words for `code` in English, so that the message reads the
// same on every Windows and never needs a code page; the bare number where
// no English text is installed.
std::string describe(DWORD code) {
  char text[512] = {};
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
  // The text ends in ".\r\n"; strerror-like words end in a letter.
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.')) {
    --length;
  }
  const std::string number = "Windows error " + std::to_string(code);
  if (length == 0) return number;
  return std::string(text, length) + " (" + number + ")";
}

Status failure(DWORD code) {
  return Status{ExitStatus::kFailure, describe(code)};
}

// `utf8` as UTF-16 for the wide file functions; false when it is not UTF-8.
bool widen(const std::string& utf8, std::wstring& wide) {
  if (utf8.empty()) {
    wide.clear();
    return true;
  }
  const int size = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS,
                                        utf8.data(), size, nullptr, 0);
  if (count <= 0) return false;
  wide.assign(static_cast<std::size_t>(count), L'\0');
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size,
                             wide.data(), count) == count;
}

// One byte far past any real end of file.  Locking it makes the appends of
// all our programs to one file take turns, so the length read before a
// report is where that report begins, and cutting back to it removes only
// this report; no one ever reads or writes that byte, so other readers and
// writers of the file are not held up.
OVERLAPPED append_turn() {
  OVERLAPPED region{};
  region.Offset = 0xFFFFFFFEu;
  region.OffsetHigh = 0x7FFFFFFFu;
  return region;
}

// How long an append waits for its turn: longer than any other merid
// program holds it, short enough that a lock held for good ends the
// program with a clear message.
constexpr DWORD kTurnWaitMilliseconds = 5000;
constexpr DWORD kTurnPollMilliseconds = 10;

enum class Turn { kTaken, kNoLocks, kLocked };

Turn take_append_turn(HANDLE file) {
  for (DWORD waited = 0;; waited += kTurnPollMilliseconds) {
    OVERLAPPED region = append_turn();
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                   1, 0, &region) != 0) {
      return Turn::kTaken;
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION) return Turn::kNoLocks;
    if (waited >= kTurnWaitMilliseconds) return Turn::kLocked;
    Sleep(kTurnPollMilliseconds);
  }
}

void give_up_append_turn(HANDLE file) {
  OVERLAPPED region = append_turn();
  UnlockFileEx(file, 0, 1, 0, &region);
}

// Writes all of `bytes` at the end of the file (the offset 0xFFFFFFFF:
// 0xFFFFFFFF means "wherever the end is now", as FILE_APPEND_DATA alone
// would).  Returns 0, or the code of the error that stopped it.
DWORD append_all(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
  while (!bytes.empty()) {
    OVERLAPPED at_end{};
    at_end.Offset = 0xFFFFFFFFu;
    at_end.OffsetHigh = 0xFFFFFFFFu;
    const auto chunk =
        static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
    DWORD written = 0;
    if (WriteFile(file, bytes.data(), chunk, &written, &at_end) == 0) {
      return GetLastError();
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return 0;
}

void cut_back(HANDLE file, LARGE_INTEGER length) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile = length;
  SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
}

// A second handle of the same open file, or null.  It outlives a close
// that reports a late failure, so that the report can still be cut back
// through the file it went to, never by path name (the name may meanwhile
// belong to another file), and it keeps the turn until then.
HANDLE second_handle(HANDLE file) {
  HANDLE copy = nullptr;
  const HANDLE self = GetCurrentProcess();
  if (DuplicateHandle(self, file, self, &copy, 0, FALSE,
                      DUPLICATE_SAME_ACCESS) == 0) {
    return nullptr;
  }
  return copy;
}

// Write access for the cut-back, append for the report; read and write
// sharing so that anyone may look at the file meanwhile.
HANDLE open_for_append(const std::wstring& path) {
  return CreateFileW(
      path.c_str(),
      FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
      FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The new file of a replacement, for the console's Ctrl+C and Ctrl+Break
// handler, which runs on a thread of its own and can reach nothing but
// globals: the program's one mutable global state, set and cleared by
// TemporaryFileGuard alone.
wchar_t g_temporary[32768];
volatile LONG g_temporary_set = 0;

BOOL WINAPI remove_temporary(DWORD event) {
  if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ||
       event == CTRL_CLOSE_EVENT) &&
      InterlockedCompareExchange(&g_temporary_set, 0, 0) != 0) {
    DeleteFileW(g_temporary);
  }
  return FALSE;  // and on to the handler that ends the program
}

// While it lives, Ctrl+C, Ctrl+Break and closing the console remove the
// new file `path` before they end the program as they would have.
class TemporaryFileGuard {
 public:
  explicit TemporaryFileGuard(const std::wstring& path) {
    if (path.size() >= std::size(g_temporary)) return;
    path.copy(g_temporary, path.size());
    g_temporary[path.size()] = L'\0';
    InterlockedExchange(&g_temporary_set, 1);
    installed_ = SetConsoleCtrlHandler(remove_temporary, TRUE) != 0;
  }
  ~TemporaryFileGuard() {
    InterlockedExchange(&g_temporary_set, 0);
    if (installed_) SetConsoleCtrlHandler(remove_temporary, FALSE);
  }
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

 private:
  bool installed_ = false;
};

// The identity of an open file: its volume and its index on the volume.
struct FileIdentity {
  unsigned long long volume = 0;
  unsigned long long index = 0;
  unsigned long long links = 0;
  bool disk_file = false;  // a file on a disk, not a console or a pipe
  bool directory = false;
  bool read_only = false;
};

bool identify(HANDLE handle, FileIdentity& id) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle) != FILE_TYPE_DISK) return true;
  if (GetFileInformationByHandle(handle, &info) == 0) return false;
  id.disk_file = true;
  id.volume = info.dwVolumeSerialNumber;
  id.index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
             info.nFileIndexLow;
  id.links = info.nNumberOfLinks;
  id.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  id.read_only = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return true;
}

// Whether `named` is the file behind standard output or standard error.
const char* standard_stream(const FileIdentity& named) {
  const struct {
    DWORD handle;
    const char* words;
  } kStreams[] = {
      {STD_OUTPUT_HANDLE, "it is the program's standard output"},
      {STD_ERROR_HANDLE, "it is the program's standard error"},
  };
  for (const auto& stream : kStreams) {
    FileIdentity id;
    const HANDLE handle = GetStdHandle(stream.handle);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE &&
        identify(handle, id) && id.disk_file && id.volume == named.volume &&
        id.index == named.index) {
      return stream.words;
    }
  }
  return nullptr;
}

class WindowsEnv : public Env {
 public:
  // The console is cleared by "cls" of the command interpreter, as on any
  // Windows console program; whether it worked changes nothing for us.
  void clear_screen() override {
    std::fflush(stdout);
    (void)std::system("cls");
  }

  void sleep_seconds(int seconds) override {
    if (seconds > 0) Sleep(static_cast<DWORD>(seconds) * 1000u);
  }

  Date local_date() override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Date{now.wYear, now.wMonth, now.wDay};
  }

  Status append_all_or_nothing(const std::string& path,
                               std::string_view bytes) override {
    std::wstring wide_path;
    if (!widen(path, wide_path)) return failure(ERROR_INVALID_NAME);
    const HANDLE file = open_for_append(wide_path);
    if (file == INVALID_HANDLE_VALUE) return failure(GetLastError());
    // A file system without byte-range locks still gets the report; only
    // the turn-taking with a simultaneous append is lost.
    const Turn turn = take_append_turn(file);
    if (turn == Turn::kLocked) {
      CloseHandle(file);
      return Status{ExitStatus::kFailure, "locked by another program"};
    }
    const bool has_turn = turn == Turn::kTaken;
    LARGE_INTEGER before{};
    if (GetFileSizeEx(file, &before) == 0) {
      const DWORD size_error = GetLastError();
      if (has_turn) give_up_append_turn(file);
      CloseHandle(file);
      return failure(size_error);
    }
    const DWORD write_error = append_all(file, bytes);
    if (write_error != 0) cut_back(file, before);
    const HANDLE keep = second_handle(file);
    if (has_turn && keep == nullptr) give_up_append_turn(file);
    const bool closed = CloseHandle(file) != 0;
    const DWORD close_error = closed ? 0 : GetLastError();
    if (keep != nullptr) {
      if (!closed && write_error == 0) cut_back(keep, before);
      if (has_turn) give_up_append_turn(keep);
      CloseHandle(keep);
    }
    if (write_error != 0) return failure(write_error);
    if (!closed) return failure(close_error);
    return Status{};
  }
};

}  // namespace

// The console hands over and takes the programs' bytes as they are: CR LF
// is already in the text, and a text-mode stdout would turn its LF into a
// second CR LF, while a text-mode stdin would stop at a Ctrl+Z byte.  The C
// runtime leaves a console's stdout unbuffered, so each fwrite reached the
// console in pieces, and a UTF-8 letter cut between two writes showed as
// two replacement characters even after "chcp 65001"; a full buffer hands
// each screen over in one write.
void platform_startup() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  std::setvbuf(stdout, nullptr, _IOFBF, kOutputBufferBytes);
}

void binary_standard_error() { _setmode(_fileno(stderr), _O_BINARY); }

namespace {

HANDLE handle_of(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

}  // namespace

// GetConsoleMode fails on a file, a pipe or the null device.
bool is_wide_console(std::FILE* stream) {
  const HANDLE handle = handle_of(stream);
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool write_wide_console(std::FILE* stream, std::string_view text) {
  if (std::fflush(stream) != 0) return false;
  const std::u16string wide = utf8_to_utf16(text);
  const HANDLE handle = handle_of(stream);
  constexpr std::size_t kLargestWrite = 8192;
  std::size_t done = 0;
  while (done < wide.size()) {
    std::size_t chunk = std::min(wide.size() - done, kLargestWrite);
    // A surrogate pair goes to the console in one piece.
    const char16_t last = wide[done + chunk - 1];
    if (chunk > 1 && last >= 0xD800 && last <= 0xDBFF) --chunk;
    DWORD written = 0;
    if (WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(chunk),
                      &written, nullptr) == 0 ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

Env& system_env() {
  static WindowsEnv env;
  return env;
}

Status replace_target(const std::string& name, ReplaceTarget& target) {
  target = ReplaceTarget{};
  std::wstring wide;
  if (!widen(name, wide)) return failure(ERROR_INVALID_NAME);
  const HANDLE file =
      CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    FileIdentity named;
    const bool known = identify(file, named);
    const DWORD error = known ? 0 : GetLastError();
    CloseHandle(file);
    if (!known) return failure(error);
    if (!named.disk_file || named.directory) {
      return Status{ExitStatus::kFailure, "not a regular file"};
    }
    if (const char* stream = standard_stream(named)) {
      return Status{ExitStatus::kFailure, stream};
    }
    // Refused where writing into the old file would be refused.
    if (named.read_only) return failure(ERROR_ACCESS_DENIED);
    target.exists = true;
    target.device = named.volume;
    target.inode = named.index;
    target.links = named.links;
  } else if (const DWORD error = GetLastError();
             error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
    return failure(error);
  }
  std::filesystem::path landing;
  if (!landing_path(std::filesystem::path(wide), landing)) {
    return failure(ERROR_CANT_RESOLVE_FILENAME);
  }
  const std::u8string utf8 = landing.u8string();
  target.path.assign(utf8.begin(), utf8.end());
  return {};
}

Status replace_file(const ReplaceTarget& target, std::string_view bytes) {
  std::wstring wide_target;
  if (!widen(target.path, wide_target)) return failure(ERROR_INVALID_NAME);
  const std::filesystem::path path(wide_target);
  const std::wstring temporary = temporary_name(path.parent_path()).wstring();
  const TemporaryFileGuard guard(temporary);
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return failure(GetLastError());
  DWORD error = 0;
  while (error == 0 && !bytes.empty()) {
    constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
    const auto chunk =
        static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
    DWORD written = 0;
    if (WriteFile(file, bytes.data(), chunk, &written, nullptr) == 0) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_WRITE_FAULT;
    }
    bytes.remove_prefix(written);
  }
  if (CloseHandle(file) == 0 && error == 0) error = GetLastError();
  if (error == 0 && MoveFileExW(temporary.c_str(), wide_target.c_str(),
                                MOVEFILE_REPLACE_EXISTING) == 0) {
    error = GetLastError();
  }
  if (error == 0) return {};
  DeleteFileW(temporary.c_str());
  return failure(error);
}

}  // namespace merid
