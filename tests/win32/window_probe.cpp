// window_probe.exe: looks at another program's windows and works them as a user would, with
// the mouse and the keyboard (SendInput), for the user-level tests (tests/win32/user_test.sh)
// and the zip's test. A window is named by its title; a main window is one that no other
// window owns, a message box one that the named main window owns.
//
//   window_probe wait TITLE SECONDS        waits for the main window; prints its geometry
//   window_probe list                      prints every visible top-level window
//   window_probe click TITLE X Y           clicks at X,Y of the window's client area
//   window_probe move TITLE X Y            moves the mouse there (X,Y may lie outside)
//   window_probe type TITLE TEXT           selects all in the focused field and types TEXT
//   window_probe message TITLE SECONDS     waits for a message box over the main window,
//                                          copies its text (Ctrl+C), prints it, presses Enter
//   window_probe copy TITLE                selects all in the focused field, copies it
//                                          (Ctrl+C) and prints it
//   window_probe close TITLE SECONDS       closes the main window as its X does; waits
//   window_probe shortpath PATH            prints the short (8.3) form of PATH
//   window_probe oemcp                     prints the OEM code page (cmd's, do.bat's)
//
// Geometry lines: "client W H", "client-origin X Y" (screen position of the client area) and
// "frame LEFT TOP RIGHT BOTTOM" (the whole window on screen). Exit status 0, 1 when a window
// did not come (or go) in time, 2 on bad arguments.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::wstring Title(HWND window) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

struct Search {
    std::wstring title;
    HWND owner = nullptr;  // for a message box: the main window that owns it
    HWND found = nullptr;
};

BOOL CALLBACK FindWindowCallback(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    const HWND owner = GetWindow(window, GW_OWNER);
    if (search.owner != nullptr ? owner == search.owner
                                : owner == nullptr && Title(window) == search.title) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindMain(const std::wstring& title) {
    Search search{title};
    EnumWindows(FindWindowCallback, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOwnedBy(HWND owner) {
    Search search{{}, owner};
    EnumWindows(FindWindowCallback, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Found>
HWND WaitFor(double seconds, Found find) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (const HWND window = find())
            return window;
        if (std::chrono::steady_clock::now() > end)
            return nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

void PrintGeometry(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT frame{};
    GetWindowRect(window, &frame);
    Print("client " + std::to_string(client.right) + " " + std::to_string(client.bottom));
    Print("client-origin " + std::to_string(origin.x) + " " + std::to_string(origin.y));
    Print("frame " + std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
          std::to_string(frame.right) + " " + std::to_string(frame.bottom));
}

BOOL CALLBACK ListCallback(HWND window, LPARAM) {
    if (!IsWindowVisible(window))
        return TRUE;
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT client{};
    GetClientRect(window, &client);
    const HWND owner = GetWindow(window, GW_OWNER);
    Print("\"" + Utf8(Title(window)) + "\" frame " + std::to_string(frame.left) + " " +
          std::to_string(frame.top) + " " + std::to_string(frame.right) + " " +
          std::to_string(frame.bottom) + " client " + std::to_string(client.right) + " " +
          std::to_string(client.bottom) +
          (owner != nullptr ? " owner \"" + Utf8(Title(owner)) + "\"" : std::string()));
    return TRUE;
}

void SendKeys(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Character(wchar_t character, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void PressWith(WORD modifier, WORD key) {
    SendKeys({Key(modifier, false), Key(key, false), Key(key, true), Key(modifier, true)});
}

void Activate(HWND window) {
    SetForegroundWindow(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void Move(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    // Absolute positions are in 65536ths of the screen, which Windows rounds down to pixels.
    move.mi.dx = static_cast<LONG>((point.x * 65536LL + width - 1) / width);
    move.mi.dy = static_cast<LONG>((point.y * 65536LL + height - 1) / height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendKeys({move});
}

void Click(HWND window, int x, int y) {
    Activate(window);
    Move(window, x, y);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up{};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendKeys({down, up});
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Presses Ctrl+C in the active window and returns what it put on the clipboard.
std::wstring CopiedText() {
    // Emptied first: a copy of nothing must not read back what an earlier copy left.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    const DWORD before = GetClipboardSequenceNumber();
    PressWith(VK_CONTROL, 'C');
    for (int i = 0; i < 50 && GetClipboardSequenceNumber() == before; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return ClipboardText();
}

int Usage() {
    std::fputs("usage: window_probe wait|list|click|move|type|copy|message|close|shortpath|oemcp\n",
               stderr);
    return 2;
}

int Missing(const std::wstring& what) {
    std::fputs(("window_probe: " + Utf8(what) + "; visible windows:\n").c_str(), stderr);
    std::fflush(stderr);
    EnumWindows(ListCallback, 0);
    return 1;
}

}  // namespace

int main() {
    // Lines end in \n, as the shell that reads them expects, not in \r\n.
    _setmode(_fileno(stdout), _O_BINARY);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(arguments + 1, arguments + count);
    LocalFree(arguments);
    if (args.empty())
        return Usage();
    const std::wstring& command = args[0];

    if (command == L"list" && args.size() == 1) {
        EnumWindows(ListCallback, 0);
        return 0;
    }
    if (command == L"oemcp" && args.size() == 1) {
        Print(std::to_string(GetOEMCP()));
        return 0;
    }
    if (command == L"shortpath" && args.size() == 2) {
        wchar_t shortPath[4096];
        const DWORD length = GetShortPathNameW(args[1].c_str(), shortPath, 4096);
        if (length == 0 || length >= 4096)
            return Missing(L"no short path for " + args[1]);
        Print(Utf8(std::wstring(shortPath, length)));
        return 0;
    }
    if (args.size() < 2)
        return Usage();
    const std::wstring& title = args[1];

    if (command == L"wait" && args.size() == 3) {
        const HWND window = WaitFor(std::stod(args[2]), [&] { return FindMain(title); });
        if (window == nullptr)
            return Missing(L"no window \"" + title + L"\"");
        // Let it finish showing (Qt sizes and moves a window once it is mapped).
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        PrintGeometry(window);
        return 0;
    }
    const HWND window = FindMain(title);
    if (window == nullptr)
        return Missing(L"no window \"" + title + L"\"");

    if (command == L"click" && args.size() == 4) {
        Click(window, std::stoi(args[2]), std::stoi(args[3]));
        return 0;
    }
    if (command == L"move" && args.size() == 4) {
        Move(window, std::stoi(args[2]), std::stoi(args[3]));
        return 0;
    }
    if (command == L"type" && args.size() == 3) {
        Activate(window);
        PressWith(VK_CONTROL, 'A');
        std::vector<INPUT> inputs;
        for (const wchar_t character : args[2]) {
            inputs.push_back(Character(character, false));
            inputs.push_back(Character(character, true));
        }
        SendKeys(inputs);
        return 0;
    }
    if (command == L"copy" && args.size() == 2) {
        Activate(window);
        PressWith(VK_CONTROL, 'A');
        Print(Utf8(CopiedText()));
        return 0;
    }
    if (command == L"message" && args.size() == 3) {
        const HWND box = WaitFor(std::stod(args[2]), [&] { return FindOwnedBy(window); });
        if (box == nullptr)
            return Missing(L"no message box over \"" + title + L"\"");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Activate(box);
        Print(Utf8(CopiedText()));
        SendKeys({Key(VK_RETURN, false), Key(VK_RETURN, true)});
        const auto closed = [&] { return IsWindow(box) && IsWindowVisible(box) ? nullptr : box; };
        const bool gone = WaitFor(10, closed) != nullptr;
        return gone ? 0 : Missing(L"the message box stayed");
    }
    if (command == L"close" && args.size() == 3) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        const bool gone = WaitFor(std::stod(args[2]),
                                  [&] { return IsWindow(window) ? nullptr : window; }) != nullptr;
        return gone ? 0 : Missing(L"\"" + title + L"\" stayed open");
    }
    return Usage();
}
