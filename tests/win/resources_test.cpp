// Checks the resources of the built Quillstack.exe: the menus, accelerators,
// strings, dialog templates, icon, version and manifest that the code relies
// on by number. The exe is loaded as a data file, so nothing of it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                 nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                      size, nullptr, nullptr);
  return out;
}

// The build gives the Unix path; under Wine the Unix root is drive Z:.
std::wstring ExePath() {
  std::string path = QS_EXE_PATH;
  if (path.starts_with('/')) path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  int size = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), size);
  wide.resize(size - 1);
  return wide;
}

// ---- menus ----------------------------------------------------------------

constexpr int kPopup = -1;

// One menu entry in resource order; a separator has empty text and id 0.
struct MenuLine {
  int depth;
  std::wstring text;
  int id;
  bool operator==(const MenuLine&) const = default;
};

void PrintTo(const MenuLine& line, std::ostream* os) {
  *os << std::string(line.depth * 2, ' ') << '"' << Utf8(line.text) << "\" " << line.id;
}

void Flatten(HMENU menu, int depth, std::vector<MenuLine>& out) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) {
      out.push_back({depth, L"<unreadable>", 0});
      continue;
    }
    if (info.fType & MFT_SEPARATOR) {
      out.push_back({depth, L"", 0});
    } else if (info.hSubMenu) {
      out.push_back({depth, text, kPopup});
      Flatten(info.hSubMenu, depth + 1, out);
    } else {
      out.push_back({depth, text, static_cast<int>(info.wID)});
    }
  }
}

// Entry by entry, so that a failure names the entries that differ.
void ExpectMenu(const std::vector<MenuLine>& actual, const std::vector<MenuLine>& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "entry " << i;
  }
}

const std::vector<MenuLine> kMainMenu = {
    {0, L"ﾌｧｲﾙ(&F)", kPopup},
    {1, L"新規作成(&N)...", 57600},
    {1, L"読み込み(&L)...", 57601},
    {1, L"保存", kPopup},
    {2, L"登録文(&S)...", 32780},
    {2, L"クリップボード履歴(&C)...", 32779},
    {2, L"URL履歴(&U)", 32790},
    {1, L"", 0},
    {1, L"デフォルト(&D)", 32773},
    {1, L"", 0},  // the recent-files pop-up goes in before this one
    {1, L"保存せずに終了(&S)", 32772},
    {1, L"終了(&X)", 57665},
    {0, L"機能(&T)", kPopup},
    {1, L"登録文の確認と編集(&E)...", 32774},
    {1, L"一時保存ダイアログ(&T)...", 32792},
    {1, L"アイコン化(&A)", 32783},
    {1, L"結合", kPopup},
    {2, L"登録文(&R)...", 32810},
    {2, L"クリップボード履歴($C)...", 32811},
    {2, L"URL履歴(&U)...", 32812},
    {1, L"クリア", kPopup},
    {2, L"登録文(&R)...", 32815},
    {2, L"クリップボード履歴($C)...", 32816},
    {2, L"URL履歴(&U)...", 32817},
    {1, L"", 0},
    {1, L"登録文(&R)", 32800},
    {1, L"クリップボード履歴(&C)", 32801},
    {1, L"URL履歴(&U)", 32802},
    {1, L"", 0},
    {1, L"設定(&O)...", 32777},
    {1, L"ヘルプ(&H)...", 32784},
    {1, L"ﾊﾞｰｼﾞｮﾝ情報 (&I)...", 57664},
};

// The pop-ups' own titles are never shown, so only their items are checked.
const std::vector<MenuLine> kTrayMenu = {
    {1, L"元のサイズに戻す(&R)", 32782},
    {1, L"読み込み(&L)...", 57601},
    {1, L"一時保存ダイアログ", 32792},
    {1, L"デフォルト(&D)", 32773},
    {1, L"", 0},
    {1, L"登録文(&R)", 32800},
    {1, L"クリップボード履歴(&R)", 32801},
    {1, L"URL履歴(&U)", 32802},
    {1, L"", 0},
    {1, L"ヘルプ(&H)", 32784},
    {1, L"終了(&E)", 32781},
};

const std::vector<MenuLine> kSlotMenu = {
    {1, L"後ろに追加コピー", 32786},
    {1, L"前に追加コピー", 32787},
    {1, L"クリップボードから登録", 32805},
};

// ---- dialog templates -------------------------------------------------------

// Bounds-checked reader over a resource's bytes; a short read sets `failed`
// and yields zeros.
class ByteReader {
 public:
  explicit ByteReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

  template <typename T>
  T Read() {
    T value{};
    if (pos_ + sizeof(T) > bytes_.size()) {
      failed = true;
      pos_ = bytes_.size();
      return value;
    }
    std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }
  std::wstring String() {
    std::wstring text;
    while (wchar_t c = Read<wchar_t>()) text += c;
    return text;
  }
  // A name or an ordinal; an ordinal reads as "#number".
  std::wstring NameOrOrdinal() {
    WORD first = Read<WORD>();
    if (first == 0) return {};
    if (first == 0xFFFF) return L"#" + std::to_wstring(Read<WORD>());
    return static_cast<wchar_t>(first) + String();
  }
  void Skip(size_t n) { pos_ = std::min(pos_ + n, bytes_.size()); }
  void AlignDword() { pos_ = std::min((pos_ + 3) & ~size_t{3}, bytes_.size()); }
  size_t Position() const { return pos_; }

  bool failed = false;

 private:
  std::span<const BYTE> bytes_;
  size_t pos_ = 0;
};

struct Control {
  int id;
  std::wstring cls;  // predefined classes by their ordinal, e.g. "#128" for buttons
  std::wstring text;
  int x, y, cx, cy;
  DWORD style;
};

struct Dialog {
  DWORD style = 0;
  int cx = 0, cy = 0;
  std::wstring caption;
  int pointSize = 0;
  std::wstring font;
  std::vector<Control> controls;
};

std::optional<Dialog> ParseDialogEx(std::span<const BYTE> bytes) {
  ByteReader r(bytes);
  Dialog d;
  if (r.Read<WORD>() != 1 || r.Read<WORD>() != 0xFFFF) return std::nullopt;
  r.Skip(8);  // help id, extended style
  d.style = r.Read<DWORD>();
  WORD count = r.Read<WORD>();
  r.Skip(4);  // x, y
  d.cx = r.Read<short>();
  d.cy = r.Read<short>();
  r.NameOrOrdinal();  // menu
  r.NameOrOrdinal();  // class
  d.caption = r.String();
  if (d.style & DS_SETFONT) {
    d.pointSize = r.Read<WORD>();
    r.Skip(4);  // weight, italic, character set
    d.font = r.String();
  }
  for (WORD i = 0; i < count && !r.failed; ++i) {
    r.AlignDword();
    Control c{};
    r.Skip(8);  // help id, extended style
    c.style = r.Read<DWORD>();
    c.x = r.Read<short>();
    c.y = r.Read<short>();
    c.cx = r.Read<short>();
    c.cy = r.Read<short>();
    c.id = static_cast<int>(r.Read<DWORD>());
    c.cls = r.NameOrOrdinal();
    c.text = r.NameOrOrdinal();
    r.Skip(r.Read<WORD>());  // creation data
    d.controls.push_back(c);
  }
  if (r.failed) return std::nullopt;
  return d;
}

const Control* FindControl(const Dialog& d, int id) {
  for (const Control& c : d.controls)
    if (c.id == id) return &c;
  return nullptr;
}

const std::wstring kButton = L"#128";
const std::wstring kStatic = L"#130";
const std::wstring kScrollBar = L"#132";
const std::wstring kFormFont = L"ＭＳ Ｐゴシック";

// ---- version resource --------------------------------------------------------

// One node of the version tree: a key, a value and child nodes.
struct VersionNode {
  std::wstring key;
  std::span<const BYTE> value;
  std::span<const BYTE> children;
};

std::optional<VersionNode> ReadVersionNode(std::span<const BYTE> bytes) {
  ByteReader r(bytes);
  WORD length = r.Read<WORD>();
  WORD valueLength = r.Read<WORD>();
  WORD type = r.Read<WORD>();
  if (r.failed || length < 6 || length > bytes.size()) return std::nullopt;
  bytes = bytes.first(length);
  r = ByteReader(bytes);
  r.Skip(6);
  VersionNode node{r.String(), {}, {}};
  r.AlignDword();
  size_t valueBytes = type == 1 ? valueLength * sizeof(wchar_t) : valueLength;
  size_t start = r.Position();
  valueBytes = std::min(valueBytes, bytes.size() - start);
  node.value = bytes.subspan(start, valueBytes);
  size_t childStart = std::min((start + valueBytes + 3) & ~size_t{3}, bytes.size());
  node.children = bytes.subspan(childStart);
  return node;
}

std::optional<VersionNode> FindChild(const VersionNode& parent, std::wstring_view key) {
  std::span<const BYTE> rest = parent.children;
  while (rest.size() >= 6) {
    auto child = ReadVersionNode(rest);
    if (!child) return std::nullopt;
    if (lstrcmpiW(child->key.c_str(), std::wstring(key).c_str()) == 0) return child;
    WORD length = 0;
    std::memcpy(&length, rest.data(), sizeof length);
    rest = rest.subspan(std::min<size_t>((length + 3) & ~3u, rest.size()));
  }
  return std::nullopt;
}

std::wstring ValueText(const VersionNode& node) {
  std::wstring text(node.value.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), node.value.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

// ---- the fixture -----------------------------------------------------------------

class Resources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW(ExePath().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "cannot load " << Utf8(ExePath());
  }

  static std::span<const BYTE> Data(int id, LPCWSTR type) {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    auto bytes = static_cast<const BYTE*>(LockResource(loaded));
    return bytes ? std::span<const BYTE>(bytes, SizeofResource(module_, found))
                 : std::span<const BYTE>();
  }

  static std::vector<MenuLine> Menu(int id) {
    std::vector<MenuLine> lines;
    HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(id));
    if (!menu) return lines;
    Flatten(menu, 0, lines);
    DestroyMenu(menu);
    return lines;
  }

  // The items of the first pop-up of a context menu.
  static std::vector<MenuLine> ContextMenu(int id) {
    std::vector<MenuLine> lines = Menu(id);
    if (lines.empty() || lines[0].id != kPopup) return {};
    lines.erase(lines.begin());
    auto nested = std::find_if(lines.begin(), lines.end(),
                               [](const MenuLine& l) { return l.depth == 0; });
    lines.erase(nested, lines.end());
    return lines;
  }

  static std::wstring String(UINT id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
  }

  static inline HMODULE module_ = nullptr;
};

TEST_F(Resources, MainMenuHasEveryPopupAndItemInOrder) {
  ExpectMenu(Menu(128), kMainMenu);
}

TEST_F(Resources, TrayAndSlotMenusHoldOnePopupWithTheirItems) {
  ExpectMenu(ContextMenu(135), kTrayMenu);
  ExpectMenu(ContextMenu(136), kSlotMenu);
  EXPECT_EQ(Menu(136).size(), kSlotMenu.size() + 1) << "a second top-level pop-up";
}

TEST_F(Resources, AcceleratorTableMapsEveryKey) {
  using Key = std::tuple<BYTE, WORD, WORD>;  // modifiers, virtual key, command
  std::vector<Key> expected = {
      {FCONTROL, 'N', 57600},        {FCONTROL, 'O', 57601},
      {FCONTROL, 'S', 57603},        {FCONTROL, 'C', 57634},
      {FCONTROL, VK_INSERT, 57634},  {FCONTROL, 'X', 57635},
      {FSHIFT, VK_DELETE, 57635},    {FCONTROL, 'V', 57637},
      {FSHIFT, VK_INSERT, 57637},    {FCONTROL, 'Z', 57643},
      {FALT, VK_BACK, 57643},        {0, VK_F6, 57680},
      {FSHIFT, VK_F6, 57681},        {0, '0', 32788},
  };
  HACCEL table = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(128));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> entries(CopyAcceleratorTableW(table, nullptr, 0));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));

  std::vector<Key> actual;
  for (const ACCEL& a : entries) {
    EXPECT_TRUE(a.fVirt & FVIRTKEY) << "key " << a.key << " is not a virtual key";
    actual.emplace_back(a.fVirt & (FSHIFT | FCONTROL | FALT), a.key, a.cmd);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
}

TEST_F(Resources, StringTableHoldsTheFixedTexts) {
  const std::pair<UINT, std::wstring> table[] = {
      {128, L"Quillstack\n\nQuills\n\n\nQuillstack.Document\nQuills Document"},
      {57344, L"Quillstack"},
      {57345, L"無題"},
      {61200, L"未登録"},
      {61201, L"登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--%s--"},
      {61202, L"変更を保存します\n[FILE] : %s"},
      {61203, L"最近使ったファイル"},
      {61204, L"Quill"},
      {61205, L"アイコン化"},
      {61210, L"登録文"},
      {61211, L"クリップボード履歴"},
      {61212, L"ＵＲＬ履歴"},
      {61213, L"デフォルト"},
      {61220, L"%Y年%m月%d日"},
      {61221, L"%H時%M分%S秒"},
  };
  for (const auto& [id, text] : table) {
    EXPECT_EQ(Utf8(String(id)), Utf8(text)) << "string " << id;
  }
}

TEST_F(Resources, LineBreaksInStringsAreRealLineFeeds) {
  std::wstring message = String(61201);
  EXPECT_EQ(std::count(message.begin(), message.end(), L'\n'), 2);
  EXPECT_EQ(message.find(L'\\'), std::wstring::npos);
  std::wstring fields = String(128);
  EXPECT_EQ(std::count(fields.begin(), fields.end(), L'\n'), 6);
}

// The path is put in with the first "%s"; any other '%' would be shown raw.
TEST_F(Resources, CommandLineOpenFailureNamesThePathOnce) {
  std::wstring message = String(57346);
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(std::count(message.begin(), message.end(), L'%'), 1);
  EXPECT_NE(message.find(L"%s"), std::wstring::npos);
}

TEST_F(Resources, FormPlacesEveryControl) {
  auto form = ParseDialogEx(Data(101, RT_DIALOG));
  ASSERT_TRUE(form);
  EXPECT_EQ(form->style & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME),
            static_cast<DWORD>(WS_CHILD));
  EXPECT_EQ(form->cx, 82);
  EXPECT_EQ(form->cy, 156);
  EXPECT_EQ(form->pointSize, 9);
  EXPECT_EQ(Utf8(form->font), Utf8(kFormFont));

  std::vector<Control> expected;
  for (int k = 0; k < 8; ++k) {
    expected.push_back({1000 + k, kButton, L"Button" + std::to_wstring(k + 1),
                        4, 3 + 16 * k, 63, 14, WS_TABSTOP});
  }
  expected.push_back({1029, kButton, L"", 4, 131, 45, 14, WS_TABSTOP});
  expected.push_back({1028, kButton, L"▼", 52, 131, 15, 14, WS_TABSTOP});
  expected.push_back({1077, kScrollBar, L"", 69, 3, 10, 126, SBS_VERT});

  EXPECT_EQ(form->controls.size(), expected.size());
  for (const Control& want : expected) {
    SCOPED_TRACE("control " + std::to_string(want.id));
    const Control* got = FindControl(*form, want.id);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->cls, want.cls);
    EXPECT_EQ(Utf8(got->text), Utf8(want.text));
    EXPECT_EQ(std::tie(got->x, got->y, got->cx, got->cy),
              std::tie(want.x, want.y, want.cx, want.cy));
    EXPECT_EQ(got->style & want.style, want.style);
    EXPECT_TRUE(got->style & WS_VISIBLE);
  }
  // Push buttons only: a default or check button would change how a press looks.
  for (const Control& c : form->controls) {
    if (c.cls == kButton) {
      EXPECT_EQ(c.style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << c.id;
    }
  }
}

TEST_F(Resources, AboutBoxShowsIconVersionAndOk) {
  auto about = ParseDialogEx(Data(100, RT_DIALOG));
  ASSERT_TRUE(about);
  EXPECT_EQ(Utf8(about->caption), Utf8(L"ﾊﾞｰｼﾞｮﾝ情報(Quillstack)"));
  EXPECT_TRUE(about->style & DS_MODALFRAME);
  EXPECT_EQ(Utf8(about->font), Utf8(kFormFont));

  const Control* icon = FindControl(*about, 1100);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->cls, kStatic);
  EXPECT_EQ(icon->style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
  EXPECT_EQ(icon->text, L"#128");

  const Control* version = FindControl(*about, 1101);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text, L"Quillstack Version 1.80");

  const Control* ok = FindControl(*about, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text, L"OK");
  EXPECT_EQ(ok->style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));

  for (const Control& c : about->controls) {
    EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.cx <= about->cx && c.y + c.cy <= about->cy)
        << "control " << c.id << " lies outside the box";
  }
}

TEST_F(Resources, VersionIs180) {
  auto root = ReadVersionNode(Data(1, RT_VERSION));
  ASSERT_TRUE(root);
  EXPECT_EQ(root->key, L"VS_VERSION_INFO");
  VS_FIXEDFILEINFO fixed{};
  ASSERT_GE(root->value.size(), sizeof fixed);
  std::memcpy(&fixed, root->value.data(), sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(80, 1)));
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  EXPECT_EQ(fixed.dwProductVersionMS, static_cast<DWORD>(MAKELONG(80, 1)));
  EXPECT_EQ(fixed.dwProductVersionLS, 0u);

  auto strings = FindChild(*root, L"StringFileInfo");
  ASSERT_TRUE(strings);
  auto japanese = FindChild(*strings, L"041104b0");
  ASSERT_TRUE(japanese);
  const std::pair<std::wstring, std::wstring> values[] = {
      {L"FileVersion", L"1.80"},        {L"ProductVersion", L"1.80"},
      {L"ProductName", L"Quillstack"},  {L"FileDescription", L"Quillstack"},
      {L"InternalName", L"Quillstack"}, {L"OriginalFilename", L"Quillstack.exe"},
  };
  for (const auto& [key, text] : values) {
    auto value = FindChild(*japanese, key);
    ASSERT_TRUE(value) << Utf8(key);
    EXPECT_EQ(ValueText(*value), text) << Utf8(key);
  }
  EXPECT_FALSE(FindChild(*japanese, L"CompanyName"));

  auto vars = FindChild(*root, L"VarFileInfo");
  ASSERT_TRUE(vars);
  auto translation = FindChild(*vars, L"Translation");
  ASSERT_TRUE(translation);
  ASSERT_EQ(translation->value.size(), 4u);
  WORD language[2];
  std::memcpy(language, translation->value.data(), sizeof language);
  EXPECT_EQ(language[0], 0x0411);
  EXPECT_EQ(language[1], 1200);
}

TEST_F(Resources, IconHasSmallAndLargeImages) {
  std::span<const BYTE> group = Data(128, RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  ByteReader r(group);
  r.Skip(4);
  WORD count = r.Read<WORD>();
  std::vector<int> sizes;
  for (WORD i = 0; i < count && !r.failed; ++i) {
    BYTE width = r.Read<BYTE>();
    r.Skip(13);  // height, colours, planes, bits, size, id
    sizes.push_back(width == 0 ? 256 : width);
  }
  ASSERT_FALSE(r.failed);
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
}

TEST_F(Resources, ManifestAsksForModernControlsAndNoElevation) {
  std::span<const BYTE> bytes = Data(1, RT_MANIFEST);
  std::string manifest(bytes.begin(), bytes.end());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace
