// A files service that forwards to another one and fails the operations a
// test switches off, to see what the code under test leaves behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace test_support {

class FaultyFiles : public platform::Files {
 public:
  explicit FaultyFiles(platform::Files& real) : real_(real) {}
  bool fail_copy = false;   // CopyFile gives kWriteFault
  bool fail_move = false;   // MoveFile gives kAccessDenied
  bool fail_write = false;  // WriteFileAtomic gives kWriteFault

  bool FileExists(const std::string& p) override { return real_.FileExists(p); }
  bool FolderExists(const std::string& p) override { return real_.FolderExists(p); }
  platform::Status FindFiles(const std::string& f, std::string_view p,
                             std::vector<std::string>* n) override {
    return real_.FindFiles(f, p, n);
  }
  platform::Status ListFolders(const std::string& f, std::vector<std::string>* n) override {
    return real_.ListFolders(f, n);
  }
  platform::Status CopyFile(const std::string& a, const std::string& b, bool r) override {
    return fail_copy ? platform::kWriteFault : real_.CopyFile(a, b, r);
  }
  platform::Status MoveFile(const std::string& a, const std::string& b, bool r) override {
    return fail_move ? platform::kAccessDenied : real_.MoveFile(a, b, r);
  }
  platform::Status DeleteFile(const std::string& p) override { return real_.DeleteFile(p); }
  platform::Status CreateFolder(const std::string& p) override { return real_.CreateFolder(p); }
  platform::Status CreateFolders(const std::string& p) override { return real_.CreateFolders(p); }
  platform::Status DeleteTree(const std::string& p) override { return real_.DeleteTree(p); }
  platform::Status ReadFile(const std::string& p, std::string* c) override {
    return real_.ReadFile(p, c);
  }
  platform::Status WriteFileAtomic(const std::string& p, std::string_view c) override {
    return fail_write ? platform::kWriteFault : real_.WriteFileAtomic(p, c);
  }
  std::string TempFolder() override { return real_.TempFolder(); }
  platform::Status CreateTempFile(const std::string& f, std::string_view p,
                                  std::string* out) override {
    return real_.CreateTempFile(f, p, out);
  }
  std::string FullPath(const std::string& p) override { return real_.FullPath(p); }

 private:
  platform::Files& real_;
};

}  // namespace test_support
