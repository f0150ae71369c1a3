#include "support/AcceptedRenames.h"

AcceptedRenames::AcceptedRenames()
    : m_override([this](HANDLE printer, DWORD level, LPBYTE record, DWORD command) {
          SetPrinterCall call;
          call.level = level;
          call.command = command;
          if (level != 5) {
              m_calls.push_back(call);
              return m_override.saved()(printer, level, record, command);
          }
          if (record) {
              const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(record);
              call.nameOffset = reinterpret_cast<const BYTE*>(info->pPrinterName) - record;
              call.name = info->pPrinterName ? info->pPrinterName : "(null)";
              call.port = info->pPortName ? info->pPortName : "(null)";
              call.attributes = info->Attributes;
              call.deviceNotSelectedTimeout = info->DeviceNotSelectedTimeout;
              call.transmissionRetryTimeout = info->TransmissionRetryTimeout;
          }
          m_calls.push_back(call);
          return TRUE;
      })
{
}

std::vector<std::string> AcceptedRenames::names() const
{
    std::vector<std::string> names;
    for (const SetPrinterCall& call : m_calls)
        if (call.level == 5)
            names.push_back(call.name);
    return names;
}
