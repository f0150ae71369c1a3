#include "support/MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder(int answer)
    : m_answer(answer), m_override([this](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
          m_boxes.push_back({owner, text ? text : "", caption ? caption : "", type});
          if (m_onShow)
              m_onShow(m_boxes.back());
          return m_answer;
      })
{
}
