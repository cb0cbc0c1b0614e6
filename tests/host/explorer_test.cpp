// The Explorer's and the editor's "vti" methods over a disk web, called the
// way a client calls them: through the served objects, by name, with
// automation values. A web folder sits beside files it must never touch.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "base/text.h"
#include "host/disk_web.h"
#include "host/host_objects.h"
#include "host/session.h"
#include "platform/dispatch_server.h"
#include "platform/services.h"
#include "tests/support/faulty_files.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::DispatchValue;
using test_support::ReadText;
using test_support::WriteText;

DispatchValue Str(const std::string& text) { return DispatchValue::String(text); }

// Files that can be told to fail copies or renames, to see what a failed
// upload or download leaves behind.
using test_support::FaultyFiles;

// Every file and folder under a folder, with the files' contents.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    const std::string relative = fs::relative(entry.path(), folder).generic_string();
    entries[relative] = entry.is_directory() ? "<folder>" : ReadText(entry.path().string());
  }
  return entries;
}

// Bytes 0-255 twice: a copy that stops at a NUL, or translates line ends,
// shows.
std::string BinaryContents() {
  std::string bytes;
  for (int round = 0; round < 2; ++round) {
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

class ExplorerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // root/web is the web; root/outside.htm and root/web2 (a sibling whose
    // URL starts with the web's URL) must stay as they are.
    web_ = root_.Join("web");
    WriteText(root_.Join("outside.htm"), "sentinel");
    WriteText(root_.Join("web2/outside.htm"), "sibling sentinel");
    WriteText(root_.Join("local/source.gif"), BinaryContents());
    WriteText(Web("index.htm"), "<html><body>home</body></html>");
    WriteText(Web("sub/page.html"), "<html>sub</html>");
    fs::create_directories(Web("sub/deeper"));
    fs::create_directories(Web("Images"));
    fs::create_directories(Web("_glintmere"));
    web_url_ = host::FileUrlFromPath(web_);
    SaveSession("index.htm", false);
    explorer_ = platform::MakeServedObject(host::ExplorerClass());
    editor_ = platform::MakeServedObject(host::EditorClass());
    ASSERT_NE(explorer_, nullptr);
    ASSERT_NE(editor_, nullptr);
  }

  void SaveSession(const std::string& page, bool unsaved) {
    host::Session session;
    session.web_folder = web_;
    session.page = page;
    session.has_unsaved_changes = unsaved;
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  }

  std::string Web(const std::string& relative) const { return root_.Join("web/" + relative); }

  DispatchValue Call(platform::DispatchObject& object, const char* method,
                     std::vector<DispatchValue> args) {
    DispatchValue result;
    EXPECT_EQ(object.Invoke(method, args, &result), platform::kSOk) << method;
    return result;
  }
  DispatchValue Explore(const char* method, std::vector<DispatchValue> args) {
    return Call(*explorer_, method, std::move(args));
  }
  // A flag result: a truth value, read as the client reads it.
  bool Flag(const char* method, const std::string& url) {
    const DispatchValue result = Explore(method, {Str(url)});
    EXPECT_EQ(result.kind(), DispatchValue::Kind::kBool) << method << " " << url;
    return result.AsInt() != 0;
  }
  int32_t Int(const char* method, std::vector<DispatchValue> args) {
    const DispatchValue result = Explore(method, std::move(args));
    EXPECT_EQ(result.kind(), DispatchValue::Kind::kInt) << method;
    return result.AsInt();
  }
  // A string result; empty text must come back as no value at all.
  std::string Text(const char* method, std::vector<DispatchValue> args) {
    const DispatchValue result = Explore(method, std::move(args));
    if (result.kind() == DispatchValue::Kind::kEmpty) return std::string();
    EXPECT_EQ(result.kind(), DispatchValue::Kind::kString) << method;
    EXPECT_FALSE(result.text().empty()) << method << " gave an empty string, not an empty result";
    return result.text();
  }

  test_support::TempFolder root_;
  std::string web_;
  std::string web_url_;
  std::unique_ptr<platform::DispatchObject> explorer_;
  std::unique_ptr<platform::DispatchObject> editor_;
};

TEST_F(ExplorerTest, PagesAndFoldersAreFoundByRelativeAndFullUrls) {
  EXPECT_TRUE(Flag("vtiIsPageInWeb", "index.htm"));
  EXPECT_TRUE(Flag("vtiIsPageInWeb", "sub/page.html"));
  EXPECT_TRUE(Flag("vtiIsPageInWeb", "sub\\page.html"));
  EXPECT_TRUE(Flag("vtiIsPageInWeb", "./sub//page.html"));
  EXPECT_TRUE(Flag("vtiIsPageInWeb", web_url_ + "/sub/page.html"));
  // The web's URL is compared without regard to case, "\" as "/", and with
  // however many slashes follow "file:".
  EXPECT_TRUE(Flag("vtiIsPageInWeb", base::ToUpper(web_url_) + "/sub/page.html"));
  std::string backslashed = web_url_ + "\\sub\\page.html";
  EXPECT_TRUE(Flag("vtiIsPageInWeb", backslashed));
  const std::string path_part = web_url_.substr(web_url_.find_first_not_of('/', 5));
  for (const char* scheme : {"file:/", "file://", "file:///", "file:////"}) {
    EXPECT_TRUE(Flag("vtiIsPageInWeb", scheme + path_part + "/index.htm")) << scheme;
  }
  // A folder is not a page, nor is the web itself; a missing file is neither.
  EXPECT_FALSE(Flag("vtiIsPageInWeb", "sub"));
  EXPECT_FALSE(Flag("vtiIsPageInWeb", ""));
  EXPECT_FALSE(Flag("vtiIsPageInWeb", web_url_));
  EXPECT_FALSE(Flag("vtiIsPageInWeb", "missing.htm"));

  EXPECT_TRUE(Flag("vtiIsFolderInWeb", ""));
  EXPECT_TRUE(Flag("vtiIsFolderInWeb", web_url_));
  EXPECT_TRUE(Flag("vtiIsFolderInWeb", web_url_ + "/"));
  EXPECT_TRUE(Flag("vtiIsFolderInWeb", "sub/"));
  EXPECT_TRUE(Flag("vtiIsFolderInWeb", web_url_ + "/sub/deeper"));
  EXPECT_FALSE(Flag("vtiIsFolderInWeb", "index.htm"));
  EXPECT_FALSE(Flag("vtiIsFolderInWeb", "nothere"));
  // A null string is the empty URL: the web root.
  EXPECT_EQ(Explore("vtiIsFolderInWeb", {DispatchValue::NullString()}).AsInt(), 1);
}

TEST_F(ExplorerTest, CreateFolderMakesOneLevelAndAcceptsExistingFolders) {
  EXPECT_EQ(Int("vtiCreateFolder", {Str("new")}), 1);
  EXPECT_TRUE(fs::is_directory(Web("new")));
  EXPECT_EQ(Int("vtiCreateFolder", {Str("new")}), 1);
  EXPECT_EQ(Int("vtiCreateFolder", {Str(web_url_ + "/new/inner")}), 1);
  EXPECT_TRUE(fs::is_directory(Web("new/inner")));
  EXPECT_EQ(Int("vtiCreateFolder", {Str("sub")}), 1);
  EXPECT_EQ(Int("vtiCreateFolder", {Str("")}), 1);
  // One level at a time: a missing parent is not made.
  EXPECT_EQ(Int("vtiCreateFolder", {Str("a/b")}), 0);
  EXPECT_FALSE(fs::exists(Web("a")));
  // A file in the way.
  EXPECT_EQ(Int("vtiCreateFolder", {Str("index.htm")}), 0);
  EXPECT_EQ(ReadText(Web("index.htm")), "<html><body>home</body></html>");
}

TEST_F(ExplorerTest, PutDocumentCopiesWholeFilesAndKeepsDocumentsUnlessTold) {
  const std::string source = root_.Join("local/source.gif");
  EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str("sub/pic.gif"), DispatchValue::Bool(false)}),
            1);
  EXPECT_EQ(ReadText(Web("sub/pic.gif")), BinaryContents());

  WriteText(source, "second version");
  EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str("sub/pic.gif"), DispatchValue::Bool(false)}),
            0);
  EXPECT_EQ(ReadText(Web("sub/pic.gif")), BinaryContents());
  // Callers pass the truth value as the number 1 as well.
  EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str(web_url_ + "/sub/pic.gif"),
                                   DispatchValue::Int(1)}),
            1);
  EXPECT_EQ(ReadText(Web("sub/pic.gif")), "second version");

  // No folder is made on the way, a folder is not replaced by a file, and a
  // missing or device source copies nothing.
  EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str("nofolder/pic.gif"), DispatchValue::Int(1)}),
            0);
  EXPECT_FALSE(fs::exists(Web("nofolder")));
  EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str("sub/deeper"), DispatchValue::Int(1)}), 0);
  EXPECT_TRUE(fs::is_directory(Web("sub/deeper")));
  EXPECT_EQ(Int("vtiPutDocument",
                {Str(root_.Join("local/missing.gif")), Str("sub/x.gif"), DispatchValue::Int(1)}),
            0);
  EXPECT_EQ(Int("vtiPutDocument", {Str("NUL"), Str("sub/x.gif"), DispatchValue::Int(1)}), 0);
  EXPECT_FALSE(fs::exists(Web("sub/x.gif")));
  // Nothing but the documents is left in the folder (no scratch files).
  EXPECT_EQ(Snapshot(Web("sub")).size(), 3u);
}

TEST_F(ExplorerTest, FailedUploadLeavesTheOldDocumentWholeAndNoScratchFile) {
  WriteText(Web("sub/pic.gif"), "old picture");
  const auto before = Snapshot(root_.path());
  FaultyFiles faulty(platform::GetFiles());
  platform::ScopedServices scoped{platform::Services{.files = &faulty}};
#if defined(_WIN32)
  for (bool copy_fails : {true, false}) {
#else
  // On Linux the files service's own copy renames its scratch file into place.
  for (bool copy_fails : {true}) {
#endif
    faulty.fail_copy = copy_fails;
    faulty.fail_move = !copy_fails;
    EXPECT_EQ(Int("vtiPutDocument", {Str(root_.Join("local/source.gif")), Str("sub/pic.gif"),
                                     DispatchValue::Int(1)}),
              0);
    EXPECT_EQ(Int("vtiGetDocToFile", {Str("sub/pic.gif"), Str(root_.Join("local/source.gif"))}),
              0);
    EXPECT_EQ(Snapshot(root_.path()), before) << (copy_fails ? "copy fails" : "rename fails");
  }
}

TEST_F(ExplorerTest, GetDocToFileCopiesTheWholeDocumentAnywhereLocally) {
  WriteText(Web("_glintmere/logo.gif"), BinaryContents());
  const std::string target = root_.Join("local/logo.gif");
  EXPECT_EQ(Int("vtiGetDocToFile", {Str("_glintmere/logo.gif"), Str(target)}), 1);
  EXPECT_EQ(ReadText(target), BinaryContents());
  // An existing local file (a temporary file made for the download) is replaced.
  WriteText(target, "");
  EXPECT_EQ(Int("vtiGetDocToFile", {Str(web_url_ + "/index.htm"), Str(target)}), 1);
  EXPECT_EQ(ReadText(target), "<html><body>home</body></html>");

  const std::string missing_target = root_.Join("local/fresh.gif");
  EXPECT_EQ(Int("vtiGetDocToFile", {Str("_glintmere/missing.gif"), Str(missing_target)}), 0);
  EXPECT_EQ(Int("vtiGetDocToFile", {Str("sub"), Str(missing_target)}), 0);
  EXPECT_FALSE(fs::exists(missing_target));
  EXPECT_EQ(Int("vtiGetDocToFile", {Str("index.htm"), Str(root_.Join("nofolder/x.htm"))}), 0);
  EXPECT_FALSE(fs::exists(root_.Join("nofolder")));
  EXPECT_EQ(Int("vtiGetDocToFile", {Str("index.htm"), Str(root_.Join("local"))}), 0);
  EXPECT_TRUE(fs::is_directory(root_.Join("local")));
  for (const std::string& device :
       std::vector<std::string>{"NUL", "con.txt", root_.Join("local/aux"), "\\\\.\\nul"}) {
    EXPECT_EQ(Int("vtiGetDocToFile", {Str("index.htm"), Str(device)}), 0) << device;
  }
}

TEST_F(ExplorerTest, FoldersListGivesWebRelativeUrlsTheBrowserCanReuse) {
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("")}), "Images\nsub\n_glintmere\n");
  EXPECT_EQ(Text("vtiGetFoldersList", {Str(web_url_)}), "Images\nsub\n_glintmere\n");
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("sub")}), "sub/deeper\n");
  EXPECT_EQ(Text("vtiGetFoldersList", {Str(web_url_ + "/sub/")}), "sub/deeper\n");
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("sub/deeper")}), "");
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("missing")}), "");
  // Walking down by the URLs given back reaches every folder.
  std::vector<std::string> pending = {""}, seen;
  while (!pending.empty()) {
    const std::string folder = pending.back();
    pending.pop_back();
    for (const std::string& url : base::Split(Text("vtiGetFoldersList", {Str(folder)}), '\n')) {
      if (url.empty()) continue;
      EXPECT_TRUE(Flag("vtiIsFolderInWeb", url)) << url;
      seen.push_back(url);
      pending.push_back(url);
    }
  }
  EXPECT_EQ(seen.size(), 4u);
#if !defined(_WIN32)
  // A folder whose name no URL can give back is left out.
  fs::create_directories(Web("sub/nul"));
  fs::create_directories(Web("sub/a:b"));
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("sub")}), "sub/deeper\n");
#endif
}

TEST_F(ExplorerTest, PagesInFolderListsNameAndUrlPerFileByKind) {
  for (const char* name : {"a.GIF", "b.jpg", "c.jpeg", "d.au", "e.htm", "F.HTML", "g.txt",
                           "h.gifx"}) {
    WriteText(Web(std::string("media/") + name), name);
  }
  fs::create_directories(Web("media/z.gif"));  // a folder, not a file
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("media"), DispatchValue::Int(0)}),
            "a.GIF\nmedia/a.GIF\nb.jpg\nmedia/b.jpg\nc.jpeg\nmedia/c.jpeg\nd.au\nmedia/d.au\n"
            "e.htm\nmedia/e.htm\nF.HTML\nmedia/F.HTML\ng.txt\nmedia/g.txt\nh.gifx\nmedia/h.gifx\n");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("media"), DispatchValue::Int(1)}),
            "e.htm\nmedia/e.htm\nF.HTML\nmedia/F.HTML\n");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str(web_url_ + "/media"), DispatchValue::Int(2)}),
            "a.GIF\nmedia/a.GIF\nb.jpg\nmedia/b.jpg\nc.jpeg\nmedia/c.jpeg\n");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("media"), DispatchValue::Int(5)}),
            "d.au\nmedia/d.au\n");
  // A truth value where the number is expected, as some clients pass it.
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str(""), DispatchValue::Bool(true)}),
            "index.htm\nindex.htm\n");
  // Kinds the browser never asks for list nothing; so does a folder without
  // such files.
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("media"), DispatchValue::Int(3)}), "");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("media"), DispatchValue::Int(-1)}), "");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str("sub"), DispatchValue::Int(5)}), "");
}

// URLs that would reach outside the web, or devices. Each method that reads
// or writes refuses them and touches nothing.
std::vector<std::string> EscapingUrls(const test_support::TempFolder& root,
                                      const std::string& web_url) {
  return {"..",
          "../outside.htm",
          "..\\outside.htm",
          "sub/../../outside.htm",
          "./../web2/outside.htm",
          "sub/.../outside.htm",
          ". ./outside.htm",
          "sub/.. /../outside.htm",
          root.Join("outside.htm"),
          root.Join("web2"),
          "/outside.htm",
          "\\outside.htm",
          "//server/share/outside.htm",
          "\\\\?\\" + root.Join("outside.htm"),
          "C:\\outside.htm",
          "c:outside.htm",
          "C:/outside.htm",
          "sub/outside.htm:stream",
          host::FileUrlFromPath(root.Join("outside.htm")),
          host::FileUrlFromPath(root.path()),
          web_url + "2/outside.htm",
          web_url + "2",
          web_url + "/../outside.htm",
          web_url + "/sub/../../web2",
          "file:../outside.htm",
          "http://example.com/outside.htm",
          "unsaved:///outside.htm",
          "NUL",
          "con.htm",
          "sub/aux",
          "COM1.gif",
          "sub/lpt9.au",
          "CONOUT$",
          "index.htm\n",
          "sub\t",
          "a|b",
          "a*",
          "?"};
}

TEST_F(ExplorerTest, UrlsOutsideTheWebAreRefusedAndNothingOutsideIsTouched) {
  const std::string source = root_.Join("local/source.gif");
  const std::string download = root_.Join("local/download.gif");
  const auto before = Snapshot(root_.path());
  for (const std::string& url : EscapingUrls(root_, web_url_)) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(Flag("vtiIsPageInWeb", url));
    EXPECT_FALSE(Flag("vtiIsFolderInWeb", url));
    EXPECT_EQ(Int("vtiCreateFolder", {Str(url)}), 0);
    EXPECT_EQ(Int("vtiCreateFolder", {Str(url + "/new")}), 0);
    EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str(url), DispatchValue::Int(1)}), 0);
    EXPECT_EQ(Int("vtiPutDocument", {Str(source), Str(url + "/new.gif"), DispatchValue::Int(1)}),
              0);
    EXPECT_EQ(Int("vtiGetDocToFile", {Str(url), Str(download)}), 0);
    EXPECT_EQ(Text("vtiGetFoldersList", {Str(url)}), "");
    EXPECT_EQ(Text("vtiGetPagesInFolder", {Str(url), DispatchValue::Int(0)}), "");
    EXPECT_EQ(Snapshot(root_.path()), before);
  }
  EXPECT_EQ(ReadText(root_.Join("outside.htm")), "sentinel");
  EXPECT_EQ(ReadText(root_.Join("web2/outside.htm")), "sibling sentinel");
}

TEST_F(ExplorerTest, WithoutAnOpenWebEverythingIsRefused) {
  platform::GetRegistry().DeleteTree(platform::RootKey::kCurrentUser, host::kSessionKey);
  EXPECT_FALSE(Flag("vtiIsFolderInWeb", ""));
  EXPECT_FALSE(Flag("vtiIsPageInWeb", "index.htm"));
  EXPECT_EQ(Int("vtiCreateFolder", {Str("new")}), 0);
  EXPECT_EQ(Text("vtiGetFoldersList", {Str("")}), "");
  EXPECT_EQ(Text("vtiGetPagesInFolder", {Str(""), DispatchValue::Int(0)}), "");
  EXPECT_FALSE(fs::exists(Web("new")));
}

TEST_F(ExplorerTest, QueryWebPageReportsTheOpenPageAndItsUnsavedChanges) {
  struct Case {
    std::string page;  // the session's open page
    bool unsaved;
    std::string url;   // asked about
    int16_t unsaved_out, open_out;
    int32_t result;
  };
  const Case cases[] = {
      {"index.htm", true, web_url_ + "/index.htm", -1, -1, 1},
      {"index.htm", true, "INDEX.HTM", -1, -1, 1},
      {"index.htm", false, web_url_ + "/index.htm", 0, -1, 1},
      {"index.htm", true, "sub/page.html", 0, 0, 1},  // in the web, not open
      {"index.htm", true, "missing.htm", 0, 0, 0},
      {"index.htm", true, "../outside.htm", 0, 0, 0},
      {"sub/page.html", true, "sub\\page.html", -1, -1, 1},
      // A page never written is named by the URL vtiGetTopPageURL gives it.
      {"new/untitled.htm", true, "unsaved:///new/untitled.htm", -1, -1, 1},
      {"new/untitled.htm", true, "unsaved:///index.htm", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page + " asked " + c.url);
    SaveSession(c.page, c.unsaved);
    // Sentinels: each by-reference value must be written, true or false.
    int16_t unsaved = 0x5A5A, open = 0x5A5A;
    for (DispatchValue second : {DispatchValue::NullString(), DispatchValue()}) {
      unsaved = open = 0x5A5A;
      const DispatchValue result =
          Call(*editor_, "vtiQueryWebPageEx",
               {Str(c.url), second, DispatchValue::BoolRef(&unsaved),
                DispatchValue::BoolRef(&open)});
      EXPECT_EQ(result.kind(), DispatchValue::Kind::kInt);
      EXPECT_EQ(result.AsInt(), c.result);
      EXPECT_EQ(unsaved, c.unsaved_out);
      EXPECT_EQ(open, c.open_out);
    }
  }
}

TEST_F(ExplorerTest, WrongArgumentCountsAndKindsAreRefusedBeforeAnythingHappens) {
  const std::string source = root_.Join("local/source.gif");
  int16_t flag = 0;
  const DispatchValue ref = DispatchValue::BoolRef(&flag);
  struct Case {
    bool editor;
    const char* method;
    std::vector<DispatchValue> args;
    platform::HResult expected;
  };
  const std::vector<Case> cases = {
      {false, "vtiIsPageInWeb", {}, platform::kDispEBadParamCount},
      {false, "vtiIsPageInWeb", {Str("a"), Str("b")}, platform::kDispEBadParamCount},
      {false, "vtiIsPageInWeb", {DispatchValue::Int(1)}, platform::kDispETypeMismatch},
      {false, "vtiIsFolderInWeb", {DispatchValue::Bool(true)}, platform::kDispETypeMismatch},
      {false, "vtiCreateFolder", {Str("new"), Str("more")}, platform::kDispEBadParamCount},
      {false, "vtiCreateFolder", {DispatchValue()}, platform::kDispETypeMismatch},
      {false, "vtiPutDocument", {Str(source), Str("new.gif")}, platform::kDispEBadParamCount},
      {false, "vtiPutDocument", {Str(source), Str("new.gif"), Str("1")},
       platform::kDispETypeMismatch},
      {false, "vtiPutDocument", {DispatchValue::Int(0), Str("new.gif"), DispatchValue::Int(1)},
       platform::kDispETypeMismatch},
      {false, "vtiPutDocument", {Str(source), ref, DispatchValue::Int(1)},
       platform::kDispETypeMismatch},
      {false, "vtiGetDocToFile", {Str("index.htm")}, platform::kDispEBadParamCount},
      {false, "vtiGetDocToFile", {Str("index.htm"), DispatchValue::Int(0)},
       platform::kDispETypeMismatch},
      {false, "vtiGetFoldersList", {}, platform::kDispEBadParamCount},
      {false, "vtiGetPagesInFolder", {Str("")}, platform::kDispEBadParamCount},
      {false, "vtiGetPagesInFolder", {Str(""), Str("2")}, platform::kDispETypeMismatch},
      {true, "vtiQueryWebPageEx", {Str("index.htm"), DispatchValue::NullString(), ref},
       platform::kDispEBadParamCount},
      {true, "vtiQueryWebPageEx",
       {Str("index.htm"), DispatchValue::NullString(), ref, DispatchValue::Bool(false)},
       platform::kDispETypeMismatch},
      {true, "vtiQueryWebPageEx",
       {Str("index.htm"), DispatchValue::NullString(), DispatchValue::BoolRef(nullptr), ref},
       platform::kDispETypeMismatch},
      {true, "vtiQueryWebPageEx",
       {Str("index.htm"), DispatchValue::Int(0), ref, ref}, platform::kDispETypeMismatch},
  };
  const auto before = Snapshot(root_.path());
  for (const Case& c : cases) {
    std::vector<DispatchValue> args = c.args;
    DispatchValue result = DispatchValue::Int(77);
    platform::DispatchObject& object = c.editor ? *editor_ : *explorer_;
    EXPECT_EQ(object.Invoke(c.method, args, &result), c.expected)
        << c.method << " with " << c.args.size() << " arguments";
    EXPECT_EQ(result.kind(), DispatchValue::Kind::kEmpty) << c.method;
  }
  EXPECT_EQ(Snapshot(root_.path()), before);
}

}  // namespace
