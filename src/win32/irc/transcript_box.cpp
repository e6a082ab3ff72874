#include "win32/irc/transcript_box.h"

#include "win32/base/win32_text.h"

namespace tavrin::win32::chat {

TranscriptBox::TranscriptBox(HWND edit, std::size_t cap) : edit_(edit), cap_(cap) {
  // The default limit of a multi-line box is far below a full transcript.
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
}

bool TranscriptBox::ShowsLastLine() const {
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_ALL;
  if (!GetScrollInfo(edit_, SB_VERT, &scroll)) return true;
  return scroll.nPos + static_cast<int>(scroll.nPage) >= scroll.nMax;
}

std::size_t TranscriptBox::DropOldest() {
  const std::size_t length = lengths_.front();
  lengths_.pop_front();
  total_ -= length;
  SendMessageW(edit_, EM_SETSEL, 0, static_cast<LPARAM>(length));
  SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  return length;
}

void TranscriptBox::Append(const std::string& line) {
  const std::wstring text = WideFromUtf8(line) + L"\r\n";
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const bool follow = start == end && ShowsLastLine();
  const auto firstVisible = SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);

  SendMessageW(edit_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(total_),
               static_cast<LPARAM>(total_));
  SendMessageW(edit_, EM_REPLACESEL, FALSE,
               reinterpret_cast<LPARAM>(text.c_str()));
  lengths_.push_back(text.size());
  total_ += text.size();
  std::size_t dropped = 0;
  LRESULT droppedLines = 0;
  for (; lengths_.size() > cap_; ++droppedLines) dropped += DropOldest();

  if (follow) {
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(total_),
                 static_cast<LPARAM>(total_));
    SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  } else {
    // The reader's selection and view stay on the same words, which moved
    // up by what was dropped (a wrapped line may move them a little).
    const auto keep = [dropped](DWORD at) {
      return at > dropped ? at - static_cast<DWORD>(dropped) : 0;
    };
    SendMessageW(edit_, EM_SETSEL, keep(start), keep(end));
    const auto nowVisible = SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(edit_, EM_LINESCROLL, 0, firstVisible - nowVisible - droppedLines);
    SendMessageW(edit_, WM_SETREDRAW, TRUE, 0);
  }
  InvalidateRect(edit_, nullptr, TRUE);
}

}  // namespace tavrin::win32::chat
