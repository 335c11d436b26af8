// The host's two editor controls: the code window, where F1 is the host's
// own keyword help, and the build output pane below it, where a
// double-click goes to the add-in first and otherwise jumps to the source
// line the message names. Both answer the word request with the word at
// their caret.
#include "stand_in_host/stand_in_host.h"

#include <vector>

namespace standin {

namespace {

constexpr int kOutputPaneHeight = 150;  // the code window takes the rest above it
constexpr int kEditorGap = 4;           // between the two, where the main window shows

// A name character of the assembler: letters, digits, '_' and the others ML
// allows in names ('@', '?', '$'). Blanks and punctuation end a word, the
// ':' '(' ')' ',' of the tools' messages among them, so that a double-click
// on A2008 in "error A2008: syntax" yields A2008 and one on hello in
// "hello.asm(12)" yields hello.
bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '@' ||
         c == '?' || c == '$';
}

// One line of an editor, without its line end.
std::string LineOf(HWND edit, int line) {
  const int start = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, line, 0));
  if (start < 0) return std::string();
  const int length = static_cast<int>(SendMessageA(edit, EM_LINELENGTH, start, 0));
  // EM_GETLINE takes the buffer's size in its first two bytes and writes no terminator.
  std::vector<char> text(static_cast<size_t>(length) + 2, '\0');
  *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(text.size());
  const int got = static_cast<int>(SendMessageA(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(text.data())));
  return std::string(text.data(), static_cast<size_t>(got));
}

int CaretOf(HWND edit) {
  DWORD caret = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  return static_cast<int>(caret);
}

// The word around an editor's caret, in the line the caret is in.
std::string WordAtCaret(HWND edit) {
  const int caret = CaretOf(edit);
  const int line = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, caret, 0));
  const std::string text = LineOf(edit, line);
  size_t start = static_cast<size_t>(caret - SendMessageA(edit, EM_LINEINDEX, line, 0));
  if (start > text.size()) start = text.size();
  size_t end = start;
  while (start > 0 && IsNameCharacter(text[start - 1])) --start;
  while (end < text.size() && IsNameCharacter(text[end])) ++end;
  return text.substr(start, end - start);
}

// Request 2039: the word at the caret into the caller's buffer of size
// bytes, cut to it and terminated within it.
LRESULT AnswerWordRequest(HWND edit, size_t size, char* buffer) {
  if (size == 0 || buffer == nullptr) return 0;
  const std::string word = WordAtCaret(edit);
  g_host.wordGiven = word;
  const size_t n = word.size() < size ? word.size() : size - 1;
  for (size_t i = 0; i < n; ++i) buffer[i] = word[i];
  buffer[n] = 0;
  return static_cast<LRESULT>(n);
}

// Line ends as the editor control shows them: CR LF, whatever the file has.
std::string WithCrLf(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) text += '\r';
    text += bytes[i];
  }
  return text;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The source line a tool's message is about: the file name at the start of
// the line and the line number in parentheses right after it, followed by
// the colon of the message,
//   hello.asm(12) : error A2008: syntax error : xyz
//   dialog.rc(14) : error RC2104 : undefined keyword or key name: IDC_NAME
// False for a line that names none: LINK's, NMAKE's and CVTRES's messages,
// the commands a build echoes.
bool SourceLineOf(const std::string& line, std::string* file, int* number) {
  const size_t start = line.find_first_not_of(" \t");
  const size_t open = line.find('(');
  if (start == std::string::npos || open == std::string::npos || open <= start) return false;
  size_t at = open + 1;
  int value = 0;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9' && value < 1000000) {
    value = value * 10 + (line[at++] - '0');
  }
  if (at == open + 1 || at >= line.size() || line[at] != ')') return false;
  const size_t colon = line.find_first_not_of(" \t", at + 1);
  if (colon == std::string::npos || line[colon] != ':') return false;
  *file = line.substr(start, line.find_last_not_of(" \t", open - 1) + 1 - start);
  *number = value;
  return true;
}

// The host's own double-click action: the file that the clicked message
// names opens in the code window with its line selected and the caret on it.
// A message that names no source line, or a file that cannot be read,
// leaves the code window as it was.
void JumpToSourceLine() {
  HWND pane = g_host.outputPane;
  const int line = static_cast<int>(SendMessageA(pane, EM_LINEFROMCHAR, CaretOf(pane), 0));
  std::string file;
  int number = 0;
  if (!SourceLineOf(LineOf(pane, line), &file, &number)) return;
  const bool absolute = file[0] == '\\' || file[0] == '/' || (file.size() > 1 && file[1] == ':');
  const std::string path = absolute ? file : g_host.buildFolder + file;
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) return;

  HWND code = g_host.codeWindow;
  SetWindowTextA(code, WithCrLf(bytes).c_str());
  int at = static_cast<int>(SendMessageA(code, EM_LINEINDEX, number > 0 ? number - 1 : 0, 0));
  if (at < 0) at = GetWindowTextLengthA(code);  // past its last line: the file's end
  SendMessageA(code, EM_SETSEL, at, at + SendMessageA(code, EM_LINELENGTH, at, 0));
  SendMessageA(code, EM_SCROLLCARET, 0, 0);
  SetFocus(code);
  g_host.sourceFile = path;
  SetWindowTextA(g_host.mainWindow, ("Stand-in host - " + file).c_str());
}

// The first click of a double-click has put the caret where the user
// clicked: the add-in asks for the word there. Answer 1 means it has taken
// the double-click; on 0 the host goes on with its own action. The editor's
// own double-click (selecting a word by the control's rule, not the host's)
// does not run.
void OnOutputDoubleClick(WPARAM wParam, LPARAM lParam) {
  ++g_host.paneDoubleClicks;
  if (NotifyAddin(g_host.outputPane, kOutputDoubleClick, wParam, lParam) != 0) return;
  JumpToSourceLine();
}

LRESULT CALLBACK CodeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kWordRequest:
      return AnswerWordRequest(window, wParam, reinterpret_cast<char*>(lParam));
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        ShowKeywordHelp();
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(g_host.editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK OutputPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kWordRequest:
      return AnswerWordRequest(window, wParam, reinterpret_cast<char*>(lParam));
    case WM_LBUTTONDBLCLK:
      OnOutputDoubleClick(wParam, lParam);
      return 0;
    default:
      break;
  }
  return CallWindowProcA(g_host.editProc, window, message, wParam, lParam);
}

HWND CreateEditor(HWND parent, DWORD style, const char* text, WNDPROC procedure) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                  ES_AUTOHSCROLL | ES_NOHIDESEL | style,
                              0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  g_host.editProc = reinterpret_cast<WNDPROC>(SetWindowLongA(edit, GWL_WNDPROC, reinterpret_cast<LONG>(procedure)));
  return edit;
}

bool IsWholeWordAt(const std::string& line, size_t at, size_t length) {
  return (at == 0 || !IsNameCharacter(line[at - 1])) &&
         (at + length == line.size() || !IsNameCharacter(line[at + length]));
}

}  // namespace

void CreateEditors(HWND mainWindow) {
  g_host.codeWindow = CreateEditor(mainWindow, 0,
                                   "; Make > Build shows the build's messages in the output pane below.\r\n"
                                   "; Double-click an error number there: ORVA explains it.\r\n"
                                   "; Double-click elsewhere on the line to go to the source line.\r\n",
                                   CodeWindowProc);
  g_host.outputPane = CreateEditor(mainWindow, ES_READONLY, "", OutputPaneProc);
}

void LayOutEditors(int width, int height) {
  const int pane = height > 2 * kOutputPaneHeight ? kOutputPaneHeight : height / 2;
  MoveWindow(g_host.codeWindow, 0, 0, width, height - pane - kEditorGap, TRUE);
  MoveWindow(g_host.outputPane, 0, height - pane, width, pane, TRUE);
}

void ShowKeywordHelp() {
  g_host.keywordHelp = WordAtCaret(g_host.codeWindow);
  SetWindowTextA(g_host.mainWindow, ("Stand-in host - keyword help: " + g_host.keywordHelp).c_str());
}

bool LoadBuildLog(const std::string& path) {
  std::string bytes;
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full || !ReadWholeFile(full, &bytes)) return false;
  ShowBuildOutput(bytes, FolderOf(full));
  return true;
}

void ShowBuildOutput(const std::string& text, const std::string& folder) {
  g_host.buildFolder = folder;
  HWND pane = g_host.outputPane;
  SetWindowTextA(pane, WithCrLf(text).c_str());
  // A build writes as it goes, and the view follows its last line.
  const int end = GetWindowTextLengthA(pane);
  SendMessageA(pane, EM_SETSEL, end, end);
  SendMessageA(pane, EM_SCROLLCARET, 0, 0);
}

bool FindInOutput(const char* word, int* line, int* column) {
  const size_t length = lstrlenA(word);
  const int lines = static_cast<int>(SendMessageA(g_host.outputPane, EM_GETLINECOUNT, 0, 0));
  for (int i = 0; i < lines && length > 0; ++i) {
    const std::string text = LineOf(g_host.outputPane, i);
    for (size_t at = 0; at + length <= text.size(); ++at) {
      if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str() + at, static_cast<int>(length), word,
                         static_cast<int>(length)) == CSTR_EQUAL &&
          IsWholeWordAt(text, at, length)) {
        *line = i;
        *column = static_cast<int>(at);
        return true;
      }
    }
  }
  return false;
}

bool DoubleClickOutput(int line, int column) {
  HWND pane = g_host.outputPane;
  const int lineStart = static_cast<int>(SendMessageA(pane, EM_LINEINDEX, line, 0));
  if (lineStart < 0) return false;
  const int index = lineStart + column;
  // A line scrolled out of the pane cannot be clicked: it comes into view
  // first, with the caret left where it was.
  RECT client;
  GetClientRect(pane, &client);
  LRESULT position = SendMessageA(pane, EM_POSFROMCHAR, index, 0);
  POINT at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (!PtInRect(&client, at)) {
    const int first = static_cast<int>(SendMessageA(pane, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageA(pane, EM_LINESCROLL, 0, line - first);
    position = SendMessageA(pane, EM_POSFROMCHAR, index, 0);
    at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  }
  // Into the character's left half, half a line down: the click puts the
  // caret just before the character.
  TEXTMETRICA metrics = {};
  HDC dc = GetDC(pane);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(pane, WM_GETFONT, 0, 0)));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(pane, dc);
  at.x += 1;
  at.y += metrics.tmHeight / 2;
  if (!PtInRect(&client, at)) return false;
  ClientToScreen(pane, &at);
  if (WindowFromPoint(at) != pane) return false;

  // The system's own input, as from the mouse: it moves the pointer, gives
  // the first click to the pane (which moves its caret there) and turns the
  // second into the double-click.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT clicks[5] = {};
  const DWORD flags[5] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                          MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 5; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dx = (at.x * 65536 + width - 1) / width;
    clicks[i].mi.dy = (at.y * 65536 + height - 1) / height;
    clicks[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  const unsigned before = g_host.paneDoubleClicks;
  SendInput(5, clicks, sizeof clicks[0]);
  const DWORD start = GetTickCount();
  while (g_host.paneDoubleClicks == before && GetTickCount() - start < 2000) PumpMessages(10);
  PumpMessages(20);  // the button's release, and what the add-in's window does next
  return g_host.paneDoubleClicks != before;
}

LRESULT DoubleClickWordInOutput(const char* line, const char* word) {
  ShowBuildOutput(line, std::string());
  int row = 0, column = 0;
  if (!FindInOutput(word, &row, &column) || !DoubleClickOutput(row, column)) return -1;
  return g_host.lastAnswer;
}

int CodeWindowCaretLine() {
  return static_cast<int>(SendMessageA(g_host.codeWindow, EM_LINEFROMCHAR, CaretOf(g_host.codeWindow), 0));
}

}  // namespace standin
