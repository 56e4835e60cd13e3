#include "settings/win32/OpenFileChanges.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korv::win32 {

namespace {

// The information blocks both calls take; their layouts are the same.
struct DispositionBlock {
  BOOLEAN deleteFile;
};
struct BasicBlock {
  LARGE_INTEGER creationTime;  // 0: unchanged
  LARGE_INTEGER lastAccessTime;
  LARGE_INTEGER lastWriteTime;
  LARGE_INTEGER changeTime;
  DWORD attributes;
};
struct RenameBlock {
  BOOLEAN replaceIfExists;
  HANDLE rootDirectory;
  DWORD nameBytes;
  WCHAR name[1];
};

// The class numbers of each call.
struct InfoClass {
  int byHandle;
  int native;
};
constexpr InfoClass kBasic{0, 4};
constexpr InfoClass kRename{3, 10};
constexpr InfoClass kDisposition{4, 13};

struct IoStatus {
  void* status;
  ULONG_PTR information;
};

using ByHandleFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
using NativeFn = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);

template <typename Fn>
Fn Lookup(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  FARPROC proc = loaded ? GetProcAddress(loaded, name) : nullptr;
  Fn typed = nullptr;
  static_assert(sizeof typed == sizeof proc);
  std::memcpy(&typed, &proc, sizeof typed);
  return typed;
}

// Not on every system the service runs on: looked up once.
ByHandleFn ByHandle() {
  static const ByHandleFn fn = Lookup<ByHandleFn>(L"kernel32.dll", "SetFileInformationByHandle");
  return fn;
}
NativeFn Native() {
  static const NativeFn fn = Lookup<NativeFn>(L"ntdll.dll", "NtSetInformationFile");
  return fn;
}

// The system's error for a native status, as GetLastError gives it.
void NoteNativeFailure(LONG status) {
  using ToErrorFn = ULONG(WINAPI*)(LONG);
  static const ToErrorFn toError = Lookup<ToErrorFn>(L"ntdll.dll", "RtlNtStatusToDosError");
  SetLastError(toError ? toError(status) : ERROR_ACCESS_DENIED);
}

bool Unsupported(DWORD error) {
  return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
         error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_INVALID_FUNCTION;
}

// `block` for the by-handle call; `nativeBlock` for the native one (they differ only for a
// rename, whose target the native call takes in the system's own path form).
bool SetInfo(HANDLE file, InfoClass kind, void* block, DWORD size, void* nativeBlock,
             DWORD nativeSize) {
  if (ByHandleFn byHandle = ByHandle()) {
    if (byHandle(file, kind.byHandle, block, size)) return true;
    if (!Unsupported(GetLastError())) return false;
  }
  NativeFn native = Native();
  if (!native) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;  // no way to reach the open file: nothing is done by name instead
  }
  IoStatus io{};
  const LONG status = native(file, &io, nativeBlock, nativeSize, kind.native);
  if (status >= 0) return true;
  NoteNativeFailure(status);
  return false;
}

// A rename block for `target`, in storage aligned for it.
std::vector<std::uint64_t> RenameStorage(const std::wstring& target, DWORD& size) {
  const std::size_t bytes = target.size() * sizeof(WCHAR);
  size = static_cast<DWORD>(offsetof(RenameBlock, name) + bytes + sizeof(WCHAR));
  std::vector<std::uint64_t> storage(size / sizeof(std::uint64_t) + 1, 0);
  auto* block = reinterpret_cast<RenameBlock*>(storage.data());
  block->replaceIfExists = FALSE;
  block->rootDirectory = nullptr;
  block->nameBytes = static_cast<DWORD>(bytes);
  std::memcpy(block->name, target.data(), bytes);  // the zeroed storage ends it
  return storage;
}

// "\\?\C:\..." as the native calls name it: "\??\C:\...".
std::wstring NativePath(const std::wstring& longPath) {
  if (longPath.rfind(L"\\\\?\\", 0) == 0) return L"\\??\\" + longPath.substr(4);
  return longPath;
}

}  // namespace

bool DeleteOnClose(HANDLE file) {
  DispositionBlock block{TRUE};
  return SetInfo(file, kDisposition, &block, sizeof block, &block, sizeof block);
}

bool SetAttributes(HANDLE file, DWORD attributes) {
  BasicBlock block{};
  block.attributes = attributes;
  return SetInfo(file, kBasic, &block, sizeof block, &block, sizeof block);
}

bool Rename(HANDLE file, const std::wstring& longTarget) {
  DWORD size = 0;
  DWORD nativeSize = 0;
  std::vector<std::uint64_t> block = RenameStorage(longTarget, size);
  std::vector<std::uint64_t> nativeBlock = RenameStorage(NativePath(longTarget), nativeSize);
  return SetInfo(file, kRename, block.data(), size, nativeBlock.data(), nativeSize);
}

}  // namespace korv::win32
