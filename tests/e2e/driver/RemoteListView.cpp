#include "RemoteListView.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace drive {

namespace {

constexpr int kTextChars = 2048;

// One block of memory in the other process: a message structure followed by a text buffer.
class RemoteBlock {
public:
    explicit RemoteBlock(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!m_process) throw std::runtime_error("cannot open the list view's process");
        m_base = static_cast<char*>(
            VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!m_base) {
            CloseHandle(m_process);
            throw std::runtime_error("cannot allocate memory in the list view's process");
        }
    }
    ~RemoteBlock() {
        VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
        CloseHandle(m_process);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    LPARAM Struct() const { return reinterpret_cast<LPARAM>(m_base); }
    wchar_t* Text() const { return reinterpret_cast<wchar_t*>(m_base + kTextOffset); }

    template <typename T>
    void Write(const T& value) {
        if (!WriteProcessMemory(m_process, m_base, &value, sizeof value, nullptr))
            throw std::runtime_error("cannot write to the list view's process");
    }
    template <typename T>
    T Read() const {
        T value{};
        if (!ReadProcessMemory(m_process, m_base, &value, sizeof value, nullptr))
            throw std::runtime_error("cannot read from the list view's process");
        return value;
    }
    std::wstring ReadText() const {
        std::wstring text(kTextChars, L'\0');
        if (!ReadProcessMemory(m_process, Text(), text.data(), kTextChars * sizeof(wchar_t),
                               nullptr))
            throw std::runtime_error("cannot read from the list view's process");
        text.resize(wcsnlen(text.c_str(), kTextChars));
        return text;
    }

private:
    static constexpr size_t kTextOffset = 512;
    static constexpr size_t kSize = kTextOffset + kTextChars * sizeof(wchar_t);
    HANDLE m_process = nullptr;
    char* m_base = nullptr;
};

}  // namespace

ListContents ReadListView(HWND list, int first, int count) {
    RemoteBlock block(list);
    ListContents contents;

    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columnCount = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columnCount; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = block.Text();
        column.cchTextMax = kTextChars;
        block.Write(column);
        if (!SendMessageW(list, LVM_GETCOLUMNW, c, block.Struct()))
            throw std::runtime_error("LVM_GETCOLUMNW failed");
        const auto answer = block.Read<LVCOLUMNW>();
        contents.columns.push_back({block.ReadText(), answer.cx, answer.fmt & LVCFMT_JUSTIFYMASK});
    }

    const int itemCount = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const int end =
        count < 0 ? itemCount : int(std::min<long long>(itemCount, 0LL + first + count));
    for (int i = std::max(first, 0); i < end; ++i) {
        std::vector<std::wstring> row;
        for (int c = 0; c < std::max(columnCount, 1); ++c) {
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = block.Text();
            item.cchTextMax = kTextChars;
            block.Write(item);
            const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, i, block.Struct());
            row.push_back(length > 0 ? block.ReadText() : std::wstring());
        }
        contents.rows.push_back(std::move(row));
    }
    return contents;
}

}  // namespace drive
