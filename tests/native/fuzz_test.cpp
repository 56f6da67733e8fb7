// Seeded random input for every reader of stored or received text: none may crash, hang or trip a sanitizer, each
// keeps its limits. VELVANE_FUZZ_INPUTS: inputs per reader (scripts/bench.sh: 100,000); VELVANE_FUZZ_SEED replays.
#include <chrono>
#include <cstdlib>
#include <random>

#include "core/notes.h"
#include "core/startup.h"
#include "lists/exec_list.h"
#include "lists/temp_files.h"
#include "lists/todo.h"
#include "platform/ini_profile.h"
#include "platform/text_codec.h"
#include "unit/sidebar_support.h"

namespace velvane {
namespace {

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// Texts built from the pieces the readers look for, broken up by random bytes (zeros and bytes above 127 included).
struct Inputs {
  std::mt19937 rng{static_cast<std::uint32_t>(EnvNumber("VELVANE_FUZZ_SEED", 20261207))};
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  std::string Next() {
    static const std::string kPieces[] = {
        "[", "]", "=", "\r\n", "\r", "\n", "[END]", "\"", "|", ";", " ", "\t", "[INIT]", "[LANG]", "[XTRA]",
        "[TEXT1]", "[BOXBACK0]", "[E1]", "[E300]", "[E301]", "Total=", "Total=300", "Total=99999999999", "Exec=",
        "Name=", "Path=", "Red=", "Green=255", "Blue=256", "-1", "1e309", "0x10", "_main:title=", "_btn:accept=",
        "-addtodo ", "-deltodo ", "-addnote ", "-exec ", "-show", "-hide", "-save", "-addtimer 1,2,3,x", "%n", "%p",
        "Active=", "FirstTime=1", "C:\\", "\\\\server\\share", ".txt", std::string(1, '\0')};
    std::string out;
    for (int i = 0, parts = Pick(0, 40); i < parts; ++i) {
      const int kind = Pick(0, 3);
      if (kind == 0)
        out.push_back(static_cast<char>(Pick(0, 255)));
      else if (kind == 1)
        out.append(static_cast<size_t>(Pick(1, Pick(0, 9) == 0 ? 3000 : 20)), static_cast<char>(Pick(32, 255)));
      else
        out += kPieces[Pick(0, static_cast<int>(std::size(kPieces)) - 1)];
    }
    return out;
  }
};

// Runs body once per input; an input that takes a reader longer than five seconds has hung it.
template <typename Body>
void Fuzz(long count, Body body) {
  Inputs inputs;
  for (long i = 0; i < count; ++i) {
    const auto start = std::chrono::steady_clock::now();
    body(inputs.Next(), inputs);
    ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "input " << i;
  }
}

const long kFileInputs = EnvNumber("VELVANE_FUZZ_INPUTS", 1000);
const long kMemoryInputs = EnvNumber("VELVANE_FUZZ_INPUTS", 5000);

using Fuzzed = test::SideBarInstallation;
constexpr char kKeepAll[] = "[CHK]\r\nChk2=1\r\nChk3=1\r\nChk4=1\r\n";  // the keep options: every list file is read

// Any bytes decode to a text that both marked forms carry back unchanged; the profile format takes any text.
TEST_F(Fuzzed, StoredTextCodecAndProfileReaderAndWriter) {
  using namespace platform::codec;
  Fuzz(kMemoryInputs, [](const std::string& bytes, Inputs& in) {
    const std::wstring content = DecodeStored(bytes);
    for (const UnicodeForm form : {UnicodeForm::Utf8, UnicodeForm::Utf16Le})
      ASSERT_EQ(DecodeStored(EncodeStored(content, form)), content) << "form " << static_cast<int>(form);
    const std::wstring key = DecodeStored(in.Next().substr(0, 12)), section = DecodeStored(in.Next().substr(0, 12));
    platform::ini::Document profile(content);
    EXPECT_LE(profile.Read(section, key, 255).size(), 255u);
    profile.Write(section, key, L"v");  // any name: it must not break
    const platform::ini::Document written(profile.Text());
    // A name that the format can carry reads back what was written.
    auto plain = [](const std::wstring& name, const wchar_t* forbidden) {
      return name.find_first_of(forbidden) == std::wstring::npos && name.find(L'\0') == std::wstring::npos &&
             name.find_first_not_of(L" \t") != std::wstring::npos;
    };
    if (plain(key, L"=[]\r\n;\"") && plain(section, L"[]\r\n")) {
      EXPECT_EQ(written.Read(section, key, 255), L"v")
          << "key " << ToUtf8(key) << " section " << ToUtf8(section);
    }
  });
}

// Each input becomes every stored file at once: the language file, skin.txt and the three list files.
TEST_F(Fuzzed, StoredFilesKeepTheirLimits) {
  DataStore& store = App().store;
  store.Open(folders_);
  clsToDo& todo = App().toDo;
  clsTempFiles& shelf = App().shelf;
  clsExec& exec = App().exec;
  Configure(kKeepAll);
  Fuzz(kFileInputs, [&](const std::string& content, Inputs&) {
    for (const std::wstring& file : {LangDir + L"english\\velvane.txt", SkinDir + L"Test\\skin.txt",
                                     store.toDo.Path(), store.shelf.Path(), store.exec.Path()})
      test::WriteBytes(file, content);
    clsLang lang(store, [](const std::wstring&, const std::wstring&) {});  // a fresh table: a full one would not parse
    lang.LoadLanguage(L"english", L"velvane");
    EXPECT_LE(lang.Count(), clsLang::kMaxEntries);
    (void)lang.lReplace(L"_main:title");
    (void)Set().Load(store.config);  // a colour out of a byte's range keeps the last good one, and is listed
    todo.LoadList(true);
    EXPECT_LE(todo.Count(), clsToDo::kCapacity);
    shelf.LoadList(true);
    exec.LoadExecs();
    EXPECT_TRUE(exec.ExecCount() >= 0 && exec.ExecCount() <= clsExec::kCapacity) << exec.ExecCount();
  });
}

TEST_F(Fuzzed, NotesCommandLinesAndHandOffs) {
  Start(kKeepAll);
  Fuzz(kFileInputs, [&](const std::string& content, Inputs& in) {
    if (in.Pick(0, 20) == 0) {
      test::WriteBytes(App().store.notes.Path(), content);
      (void)LoadNotes(App().store.notes, true);
    }
    static const char* const kVerbs[] = {"-addtodo ", "-deltodo ", "-addnote ", "-exec ", "-addtimer ", "-show", ""};
    Bar().Window().onCopyData(in.Pick(0, 1) ? kHandOffUtf16 : kHandOffAnsi, kVerbs[in.Pick(0, 6)] + content);
    (void)HandOffPayload(std::wstring(content.begin(), content.end()));
    if (Bar().txtNotes().Text().size() > 200000) Bar().txtNotes().SetText(L"");
  });
  EXPECT_LE(App().toDo.Count(), clsToDo::kCapacity);
}

}  // namespace
}  // namespace velvane
