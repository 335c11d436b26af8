// orva-bench: what the add-in costs the host, next to what the platform costs
// for the same work, measured in one run. Each figure is the median of
// repeated runs; the floor is the platform calls the add-in cannot avoid.
// Runs under Wine from build/windows/ide/ (see scripts/bench.sh).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lookup/error_lookup.h"
#include "lookup/message_module.h"
#include "lookup/tool_table.h"
#include "orva_lookup/log_scan.h"
#include "resources/resource_ids.h"
#include "state/addin_state.h"
#include "ui/browser/browser_window.h"
#include "ui/browser/error_catalogue.h"
#include "ui/browser/note_catalogue.h"
#include "ui/lookup_window/hover_and_size.h"
#include "ui/lookup_window/lookup_window.h"

using namespace orva;

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Microseconds per call: the median over runs of (time of `iterations` calls / iterations).
template <typename F>
double Median(int runs, int iterations, F call) {
  std::vector<double> samples;
  for (int r = 0; r < runs; ++r) {
    const double start = Now();
    for (int i = 0; i < iterations; ++i) call();
    samples.push_back((Now() - start) / iterations);
    PumpMessages();
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// Microseconds per call of ours and of floor, taken in turns: each run times
// `iterations` calls of one and then of the other, so that a moment of load
// on the machine falls on both alike.
struct Pair {
  double ours;
  double floor;
};

template <typename F, typename G>
Pair MedianPair(int runs, int iterations, F ours, G floor) {
  std::vector<double> samples[2];
  for (int r = 0; r < runs; ++r) {
    for (int which = 0; which < 2; ++which) {
      const double start = Now();
      for (int i = 0; i < iterations; ++i) which == 0 ? ours() : floor();
      samples[which].push_back((Now() - start) / iterations);
      PumpMessages();
    }
  }
  for (auto& s : samples) std::sort(s.begin(), s.end());
  return Pair{samples[0][runs / 2], samples[1][runs / 2]};
}

// Microseconds of one call of ours less part, the platform's work inside it
// that the floor does not do, of part alone and of the floor: all three
// timed in every run, one call each, so that a moment of load on the machine
// falls on all of them alike.
struct Apart {
  double rest;
  double part;
  double floor;
};

template <typename F, typename G, typename H>
Apart MedianApart(int runs, F ours, G part, H floor) {
  std::vector<double> samples[3];  // rest, part, floor
  for (int r = 0; r < runs; ++r) {
    double start = Now();
    ours();
    const double whole = Now() - start;
    PumpMessages();
    start = Now();
    part();
    samples[1].push_back(Now() - start);
    samples[0].push_back(whole - samples[1].back());
    PumpMessages();
    start = Now();
    floor();
    samples[2].push_back(Now() - start);
    PumpMessages();
  }
  for (auto& s : samples) std::sort(s.begin(), s.end());
  return Apart{samples[0][runs / 2], samples[1][runs / 2], samples[2][runs / 2]};
}

void Report(const char* what, double ours, double floor) {
  std::printf("| %s | %.1f | %.1f | %.2f |\n", what, ours, floor, ours / floor);
}

// A figure whose floor is no platform call at all.
void ReportWithoutFloor(const char* what, double ours) {
  std::printf("| %s | %.1f | none | n/a |\n", what, ours);
}

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

void SetFolder(char (&field)[kPathSize], const std::string& folder) {
  ZeroFill(field);
  lstrcpynA(field, folder.c_str(), kPathSize);
}

// --- Lookup -------------------------------------------------------------------

void BenchLookup(const std::string& addins) {
  const std::string ml = addins + "ML.dll";
  auto floor = [&](uint32_t number) {
    HMODULE module = LoadLibraryExA(ml.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                   module, number, 0, reinterpret_cast<char*>(&text), 1, nullptr);
    if (text != nullptr) LocalFree(text);
    FreeLibrary(module);
  };
  auto lookup = [&](const char* number) {
    LookupResult result = RunLookup(number, addins.c_str());
    ReleaseLookupResult(result);
  };
  const int runs = 15, n = 200;
  const Pair found = MedianPair(runs, n, [&] { lookup("A2008"); }, [&] { floor(0x2008); });
  Report("RunLookup A2008 (found)", found.ours, found.floor);
  const Pair absent = MedianPair(runs, n, [&] { lookup("A9999"); }, [&] { floor(0x9999); });
  Report("RunLookup A9999 (absent)", absent.ours, absent.floor);
  // An unrecognised tool needs no module: nothing of the platform is called.
  ReportWithoutFloor("RunLookup X1234 (unrecognised tool)", Median(runs, n, [&] { lookup("X1234"); }));
}

// --- orva-lookup --explain ------------------------------------------------------

// A build log of 45 MB as a long nmake run writes it: commands with paths
// (each "C:" a colon the scan must look at), progress, and a diagnostic in
// one line of four, errors and warnings of ML and LINK.
std::string WriteBuildLog(const std::string& path) {
  FILE* log = std::fopen(path.c_str(), "wb");
  for (size_t written = 0, module = 0; log != nullptr && written < 45u * 1000 * 1000; ++module) {
    char lines[1024];
    const int size = std::snprintf(
        lines, sizeof lines,
        "\tml /nologo /c /coff /Cp /I\"C:\\masm32\\include\" /Fo\"obj\\module%zu.obj\" src\\module%zu.asm\r\n"
        " Assembling: src\\module%zu.asm\r\n"
        "src\\module%zu.asm(%zu) : error A2008: syntax error : xyz\r\n"
        "src\\module%zu.asm(%zu) : warning A4011: multiple .MODEL directives found : .MODEL ignored\r\n"
        "\tlink /nologo /SUBSYSTEM:WINDOWS /LIBPATH:\"C:\\masm32\\lib\" obj\\module%zu.obj kernel32.lib user32.lib\r\n"
        "module%zu.obj : error LNK2019: unresolved external symbol _Foo@4 referenced in function _start\r\n"
        "Microsoft (R) Incremental Linker Version 5.12.8078\r\n"
        "Copyright (C) Microsoft Corp 1992-1998. All rights reserved.\r\n"
        "\tcopy /y bin\\module%zu.exe \"C:\\Program Files\\Example\\bin\\\"\r\n"
        "        1 file(s) copied.\r\n"
        "\r\n"
        "\tnmake /nologo /f makefile.%zu all\r\n",
        module, module, module, module, module % 400 + 1, module, module % 300 + 7, module, module, module, module);
    written += std::fwrite(lines, 1, static_cast<size_t>(size), log);
  }
  if (log != nullptr) std::fclose(log);
  return path;
}

// The floor is reading the log in the same process, through the same buffer
// as orva-lookup reads it; ours is that reading with the scan and the tally.
void BenchExplain(const std::string& scratch) {
  const std::string path = WriteBuildLog(scratch + "\\build.log");
  auto read = [&](bool scan) {
    FILE* log = std::fopen(path.c_str(), "rb");
    if (log == nullptr) return;
    if (scan) {
      LogTally tally;
      ReadLogFile(log, tally);
    } else {
      std::vector<char> buffer(64 * 1024);
      while (std::fread(buffer.data(), 1, buffer.size(), log) > 0) {
      }
    }
    std::fclose(log);
  };
  const Pair figures = MedianPair(9, 1, [&] { read(true); }, [&] { read(false); });
  Report("orva-lookup --explain, a build log of 45 MB: its scan (floor: reading it)", figures.ours, figures.floor);
  DeleteFileA(path.c_str());
}

// --- Browsers -----------------------------------------------------------------

struct TreeItems {
  std::vector<std::string> roots;
  std::vector<std::vector<std::string>> children;  // per root, in final (sorted) order
};

// The floor of a fill: a window with a tree view, the same items inserted in
// their final order, the window destroyed.
void InsertInFinalOrder(const TreeItems& items) {
  HWND window = CreateWindowExA(WS_EX_WINDOWEDGE, "STATIC", "floor", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 550,
                                400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT |
                                  TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS,
                              5, 5, 200, 320, window, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(g_state.imageList));
  for (size_t r = 0; r < items.roots.size(); ++r) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE;
    insert.item.pszText = const_cast<char*>(items.roots[r].c_str());
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    for (const std::string& child : items.children[r]) {
      insert.hParent = root;
      insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
      insert.item.iImage = insert.item.iSelectedImage = 1;
      insert.item.pszText = const_cast<char*>(child.c_str());
      SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
  }
  DestroyWindow(window);
}

bool TextBefore(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

TreeItems ErrorItems(const std::string& addins) {
  TreeItems items;
  for (uint32_t slot = 1; slot <= 6; ++slot) {
    const ToolFamily* family = ToolFamilyOfSlot(slot);
    items.roots.push_back(family->label);
    items.children.emplace_back();
    HMODULE module = OpenMessageModule((addins + family->moduleStem + ".dll").c_str());
    struct Context {
      const ToolFamily* family;
      std::vector<std::string>* names;
    } context{family, &items.children.back()};
    WalkMessageTable(
        module,
        [](void* c, uint32_t number, const MessageEntry&) {
          auto* context = static_cast<Context*>(c);
          char hex[kHexTextSize];
          FormatHexNumber(number, hex);
          context->names->push_back(std::string(context->family->pattern) + hex);
        },
        &context);
    CloseMessageModule(module);
    std::sort(items.children.back().begin(), items.children.back().end(), TextBefore);
  }
  return items;
}

// --- Platform work a browser does that its floor does not ---------------------

// A control beside the tree, as the browser makes it.
struct ControlLayout {
  DWORD exStyle;
  const char* className;
  const char* text;
  DWORD style;
  int x, y, width, height;
};

const ControlLayout kErrorBrowserControls[] = {
    {0, "BUTTON", "Expand All", 0, 22, 337, 85, 25},
    {0, "BUTTON", "Collapse All", 0, 121, 337, 85, 25},
    {0, "STATIC", "Type:", SS_SIMPLE, 225, 5, 30, 20},
    {0, "EDIT", nullptr, ES_READONLY, 260, 5, 150, 20},
    {0, "STATIC", "Title:", SS_SIMPLE, 225, 25, 30, 20},
    {0, "EDIT", nullptr, ES_READONLY | ES_MULTILINE, 260, 25, 270, 40},
    {WS_EX_CLIENTEDGE, "EDIT", nullptr, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, 225, 65, 315, 305},
};

const ControlLayout kNoteBrowserControls[] = {
    {0, "BUTTON", "Expand All", 0, 22, 337, 85, 25},
    {0, "BUTTON", "Collapse All", 0, 121, 337, 85, 25},
    {WS_EX_CLIENTEDGE, "RICHEDIT", nullptr, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 225, 5, 315, 325},
    {0, "BUTTON", "Delete", WS_DISABLED, 225, 337, 85, 25},
    {0, "BUTTON", "Save", WS_DISABLED, 455, 337, 85, 25},
};

// The controls the floor's window lacks, made with the shared font in a
// window not yet shown (as the browser makes them while it is created) and
// destroyed.
template <size_t N>
void MakeAndDestroyControls(HWND parent, const ControlLayout (&layouts)[N]) {
  HWND made[N];
  for (size_t i = 0; i < N; ++i) {
    const ControlLayout& c = layouts[i];
    made[i] = CreateWindowExA(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width,
                              c.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), TRUE);
  }
  for (HWND control : made) DestroyWindow(control);
}

// The six message modules of the add-in folder opened as data files and
// released: the floor knows its items without reading them.
void OpenAndReleaseModules() {
  for (uint32_t slot = 1; slot <= 6; ++slot) {
    char path[kPathSize];
    if (MessageModulePath(g_state.addinFolder, *ToolFamilyOfSlot(slot), path)) {
      CloseMessageModule(OpenMessageModule(path));
    }
  }
}

HWND g_hiddenParent;  // holds the controls of the rows of platform work

void ErrorBrowserPlatformWork() {
  MakeAndDestroyControls(g_hiddenParent, kErrorBrowserControls);
  OpenAndReleaseModules();
}

void NoteBrowserPlatformWork() { MakeAndDestroyControls(g_hiddenParent, kNoteBrowserControls); }

void OpenFillClose(uint32_t mode) {
  OpenBrowserInMode(mode);
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
}

size_t CountItems(const TreeItems& items) {
  size_t count = items.roots.size();
  for (const auto& c : items.children) count += c.size();
  return count;
}

// A find through the whole module, with one match: every entry's texts are
// searched and the tree's order is run through to place the match; the
// tree's own selection of the match is measured apart. The floor is one walk
// of the module with a plain substring test of each entry. Each run opens a
// browser, times its first find, a find again and a find without a match,
// closes it and times the floor.
void BenchFind(const std::string& synthetic, unsigned messages) {
  const char* const words[] = {"synthetic", "9999"};
  const char* const absent[] = {"absent"};
  HTREEITEM found = nullptr;
  auto locate = [&] { LocateNextError(words, 2, &found); };
  const std::string ml = synthetic + "ML.dll";
  auto floor = [&] {
    HMODULE module = OpenMessageModule(ml.c_str());
    static volatile unsigned hits;
    WalkMessageTable(
        module,
        [](void*, uint32_t, const MessageEntry& entry) {
          if (std::strstr(entry.text, "9999") != nullptr) hits = hits + 1;
        },
        nullptr);
    CloseMessageModule(module);
  };
  std::vector<double> samples[4];  // first find, find again, no match, floor
  for (int run = 0; run < 7; ++run) {
    OpenBrowserInMode(kErrorBrowserIconId);
    PumpMessages();
    double start = Now();
    locate();
    samples[0].push_back(Now() - start);
    start = Now();
    locate();
    samples[1].push_back(Now() - start);
    start = Now();
    LocateNextError(absent, 1, &found);
    samples[2].push_back(Now() - start);
    SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
    PumpMessages();
    start = Now();
    floor();
    samples[3].push_back(Now() - start);
  }
  for (auto& s : samples) std::sort(s.begin(), s.end());
  // What the platform takes to select the match and show it.
  OpenBrowserInMode(kErrorBrowserIconId);
  locate();
  const double selectOnly = Median(7, 1, [&] {
    SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET, 0);
    SendMessageA(g_state.treeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
  });
  SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
  const double floorMedian = samples[3][3];
  char what[128];
  std::snprintf(what, sizeof what, "Error Browser, %u messages in one module: first find, one match", messages);
  Report(what, samples[0][3], floorMedian);
  std::snprintf(what, sizeof what, "Error Browser, %u messages in one module: find again, one match", messages);
  Report(what, samples[1][3], floorMedian);
  ReportWithoutFloor("Error Browser: the tree selecting the match and showing it", selectOnly);
  std::snprintf(what, sizeof what, "Error Browser, %u messages in one module: find, no match", messages);
  Report(what, samples[2][3], floorMedian);
}

// A browser row: the browser opened, filled and closed, less the platform's
// work that its floor does not do, which has a row of its own below it.
void ReportBrowser(const char* what, const char* platformWork, const Apart& ours) {
  char row[256];
  std::snprintf(row, sizeof row, "%s: open, fill, close, less the platform's work below", what);
  Report(row, ours.rest, ours.floor);
  std::snprintf(row, sizeof row, "%s: the platform's work the floor lacks (%s)", what, platformWork);
  ReportWithoutFloor(row, ours.part);
}

const char kErrorBrowserWork[] = "its controls beside the tree, made and destroyed; its modules opened and released";

void BenchErrorBrowser(const std::string& addins, const std::string& synthetic) {
  SetFolder(g_state.addinFolder, addins);
  const TreeItems shipped = ErrorItems(addins);
  char what[128];
  std::snprintf(what, sizeof what, "Error Browser, shipped catalogue (%u items)",
                static_cast<unsigned>(CountItems(shipped)));
  ReportBrowser(what, kErrorBrowserWork,
                MedianApart(15, [] { OpenFillClose(kErrorBrowserIconId); }, ErrorBrowserPlatformWork,
                            [&] { InsertInFinalOrder(shipped); }));
  // Where the rest of the time goes: the browser's window and its controls,
  // against a bare window with an empty tree.
  const Pair bare = MedianPair(
      15, 1,
      [] {
        g_state.browserMode = kErrorBrowserIconId;
        OpenBrowser();
        InsertToolRoots(true);
        SendMessageA(g_state.browserWindow, WM_CLOSE, 0, 0);
      },
      [] { InsertInFinalOrder(TreeItems{}); });
  Report("Error Browser: open and close only, roots but no items (window and controls)", bare.ours, bare.floor);

  SetFolder(g_state.addinFolder, synthetic);
  const TreeItems big = ErrorItems(synthetic);
  std::snprintf(what, sizeof what, "Error Browser, %u messages in one module",
                static_cast<unsigned>(CountItems(big) - 6));
  ReportBrowser(what, kErrorBrowserWork,
                MedianApart(9, [] { OpenFillClose(kErrorBrowserIconId); }, ErrorBrowserPlatformWork,
                            [&] { InsertInFinalOrder(big); }));
  BenchFind(synthetic, static_cast<unsigned>(CountItems(big) - 6));
  SetFolder(g_state.addinFolder, addins);
}

void BenchNoteBrowser(const std::string& notes) {
  CreateDirectoryA(notes.c_str(), nullptr);
  const char* const numbers[] = {"A", "CVT", "U", "LNK", "RC"};
  TreeItems items;
  items.roots = {"CVTRES", "LINK\\LIB\\DUMPBIN\\EDITBIN", "ML", "NMAKE", "RC"};
  items.children.resize(5);
  const int rootOf[] = {2, 0, 3, 1, 4};
  for (int i = 0; i < 1000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%04d", numbers[i % 5], i);
    const std::string path = notes + "\\" + name + ".note";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "a note\0", 7, &written, nullptr);
    CloseHandle(file);
    items.children[rootOf[i % 5]].push_back(name);
  }
  for (auto& c : items.children) std::sort(c.begin(), c.end(), TextBefore);
  SetFolder(g_state.notesFolder, notes);
  auto floor = [&] {
    // Listing the folder is part of the floor: the tree cannot be filled without it.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((notes + "\\*.note").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      while (FindNextFileA(search, &found)) {
      }
      FindClose(search);
    }
    InsertInFinalOrder(items);
  };
  ReportBrowser("Note Browser, 1,000 note files", "its controls beside the tree, made and destroyed",
                MedianApart(15, [] { OpenFillClose(kNoteBrowserIconId); }, NoteBrowserPlatformWork, floor));
}

// --- Hover tick -------------------------------------------------------------------

POINT CentreOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void BenchHover() {
  const HWND icons[] = {g_state.toggleIcon, g_state.noteIcon, g_state.noteBrowserIcon, g_state.errorBrowserIcon};
  auto floor = [&] {
    RECT rects[4];
    POINT cursor;
    for (int i = 0; i < 4; ++i) GetWindowRect(icons[i], &rects[i]);
    GetCursorPos(&cursor);
    volatile int inside = 0;
    for (const RECT& r : rects) inside = inside + PtInRect(&r, cursor);
  };
  SetCursorPos(2, 2);  // away from every icon
  HoverTick();
  const Pair idle = MedianPair(15, 2000, HoverTick, floor);
  Report("Hover tick, nothing changes", idle.ours, idle.floor);

  // The cursor alternates between two icons: every tick moves a border.
  const POINT a = CentreOf(g_state.toggleIcon);
  const POINT b = CentreOf(g_state.noteBrowserIcon);
  int tick = 0;
  auto crossing = [&] {
    const POINT& p = (tick++ & 1) ? a : b;
    SetCursorPos(p.x, p.y);
    HoverTick();
  };
  // A border that moves is a style written and a frame drawn anew on two
  // controls: the floor does the same on two plain icon statics of its own.
  HWND spare = CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 600, 600, 100, 40, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND spareIcons[2];
  for (int i = 0; i < 2; ++i) {
    spareIcons[i] = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY, 5 + 21 * i, 7,
                                    0, 0, spare, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(spareIcons[i], STM_SETICON, reinterpret_cast<WPARAM>(g_state.noteBrowserPicture), 0);
  }
  auto flip = [](HWND control) {
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) ^ WS_BORDER);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  };
  auto crossingFloor = [&] {
    const POINT& p = (tick++ & 1) ? a : b;
    SetCursorPos(p.x, p.y);
    floor();
    flip(spareIcons[0]);
    flip(spareIcons[1]);
  };
  const Pair crossings = MedianPair(15, 200, crossing, crossingFloor);
  Report("Hover tick, the cursor crosses an icon (cursor move included)", crossings.ours, crossings.floor);
  SetCursorPos(2, 2);
  DestroyWindow(spare);
}

// --- Hover timer -------------------------------------------------------------------

int g_timerMessages;
WNDPROC g_lookupProc;
LRESULT CALLBACK CountTimerMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) ++g_timerMessages;
  return CallWindowProcA(g_lookupProc, window, message, wParam, lParam);
}

// The WM_TIMER messages the lookup window receives in one second of the
// host's message loop.
int TimerMessagesInOneSecond() {
  g_timerMessages = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1000) {
    PumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return g_timerMessages;
}

void BenchHoverTimer() {
  g_lookupProc = reinterpret_cast<WNDPROC>(
      SetWindowLongA(g_state.lookupWindow, GWL_WNDPROC, reinterpret_cast<LONG>(CountTimerMessages)));
  ShowWindow(g_state.lookupWindow, SW_HIDE);
  const int hidden = TimerMessagesInOneSecond();
  ShowWindow(g_state.lookupWindow, SW_RESTORE);
  const int visible = TimerMessagesInOneSecond();
  SetWindowLongA(g_state.lookupWindow, GWL_WNDPROC, reinterpret_cast<LONG>(g_lookupProc));
  std::printf("\n| Hover timer | WM_TIMER messages in one second |\n|---|---:|\n");
  std::printf("| lookup window hidden | %d |\n| lookup window visible | %d |\n", hidden, visible);
}

// --- Install --------------------------------------------------------------------------

uint32_t g_handles[4];
uint32_t g_data[4];
LRESULT CALLBACK BenchHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kHostGetHandles: return reinterpret_cast<LRESULT>(g_handles);
    case kHostGetProcs: return 0;
    case kHostGetData: return reinterpret_cast<LRESULT>(g_data);
    case kHostGetMenuId: return 40001;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void BenchInstall(const std::string& dll, HWND host) {
  HMODULE addin = LoadLibraryA(dll.c_str());
  if (addin == nullptr) {
    std::printf("| InstallDll: %s not found | | | |\n", dll.c_str());
    return;
  }
  using InstallFn = uint32_t(__stdcall*)(HWND, uint32_t);
  using ProcFn = LRESULT(__stdcall*)(HWND, UINT, WPARAM, LPARAM);
  auto install = reinterpret_cast<InstallFn>(GetProcAddress(addin, "InstallDll"));
  auto proc = reinterpret_cast<ProcFn>(GetProcAddress(addin, "DllProc"));
  auto ours = [&] {
    install(host, 1);
    proc(host, WM_CLOSE, 0, 0);  // releases what the install acquired, so the next run starts afresh
  };
  auto floor = [&] {
    HMODULE richEdit = LoadLibraryA("RichEd32");
    char path[MAX_PATH + 1];
    GetModuleFileNameA(addin, path, MAX_PATH);
    char user[257];
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    CreateDirectoryA("Orva Notes", nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (const char* type : {".exe", ".note"}) {
      SHFILEINFOA info = {};
      SHGetFileInfoA(type, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
      ImageList_ReplaceIcon(list, -1, info.hIcon);
      DestroyIcon(info.hIcon);
    }
    LOGFONTA font = {};
    font.lfHeight = -12;
    font.lfWeight = 400;
    lstrcpyA(font.lfFaceName, "MS Sans Serif");
    HFONT f = CreateFontIndirectA(&font);
    DeleteObject(f);
    FreeLibrary(richEdit);
    CoUninitialize();
    ImageList_Destroy(list);
  };
  const Pair figures = MedianPair(15, 20, ours, floor);
  Report("InstallDll with the option on (and its release at host close)", figures.ours, figures.floor);
  FreeLibrary(addin);
}

}  // namespace

int main() {
  const std::string folder = ProgramFolder();
  const std::string addins = folder + "Addins\\";
  const std::string scratch = folder + "bench-scratch";
  CreateDirectoryA(scratch.c_str(), nullptr);

  WNDCLASSA hostClass = {};
  hostClass.lpfnWndProc = BenchHostProc;
  hostClass.hInstance = GetModuleHandleA(nullptr);
  hostClass.lpszClassName = "OrvaBenchHost";
  RegisterClassA(&hostClass);
  HWND host = CreateWindowExA(0, "OrvaBenchHost", "bench host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                              CreateMenu(), hostClass.hInstance, nullptr);
  g_handles[1] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetMenu(host)));

  std::printf("| What | ORVA (us) | Floor (us) | Ratio |\n|---|---:|---:|---:|\n");
  BenchInstall(addins + "orvara.dll", host);

  // The windows below run from the add-in's own objects linked into this program.
  g_state.moduleInstance = GetModuleHandleA(nullptr);
  g_state.hostWindow = host;
  AcquireSharedResources();
  SetFolder(g_state.addinFolder, addins);
  BenchLookup(addins);
  BenchExplain(scratch);
  CreateLookupWindow();
  PumpMessages();
  g_hiddenParent = CreateWindowExA(0, "STATIC", "controls", WS_POPUP, 0, 0, kBrowserWidth, kBrowserHeight, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
  if (g_state.lookupWindow != nullptr) BenchHover();
  BenchErrorBrowser(addins, folder + "bench-synthetic\\");
  BenchNoteBrowser(scratch + "\\notes");
  if (g_state.lookupWindow != nullptr) BenchHoverTimer();

  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  GetFileAttributesExA((addins + "orvara.dll").c_str(), GetFileExInfoStandard, &attributes);
  std::printf("\norvara.dll: %lu bytes\n", attributes.nFileSizeLow);
  return 0;
}
