#include "printers/PrinterSnapshot.h"

#include "classlib/MbString.h"
#include "printers/PrinterFilter.h"

namespace {

// More distinct driver names than this are asked about each time: the
// remembered answers stay a short list.
const size_t kDriverAnswers = 32;

} // namespace

CPrinterSnapshot::CPrinterSnapshot() : m_list(new CPrnInfoList)
{
}

CPrinterSnapshot::~CPrinterSnapshot() = default;

unsigned CPrinterSnapshot::Take()
{
    m_count = m_list->Enumerate();
    m_taken = true;
    m_checked = 0;
    m_listed.clear();
    m_unusable.clear();
    m_handles.clear();
    return m_count;
}

DWORD CPrinterSnapshot::EnumerationError() const
{
    return m_list->Error();
}

std::vector<std::string> CPrinterSnapshot::UnusableNames()
{
    while (CheckNext()) {
    }
    std::vector<std::string> names;
    for (unsigned i : m_unusable)
        names.push_back(m_list->GetItem(i)->pPrinterName);
    return names;
}

bool CPrinterSnapshot::AnyListed()
{
    while (m_listed.empty() && CheckNext()) {
    }
    return !m_listed.empty();
}

const std::vector<unsigned>& CPrinterSnapshot::Listed()
{
    while (CheckNext()) {
    }
    return m_listed;
}

std::vector<PrinterRow> CPrinterSnapshot::ListedRows()
{
    std::vector<PrinterRow> rows;
    for (unsigned i : Listed()) {
        const PRINTER_INFO_2A* item = m_list->GetItem(i);
        rows.push_back({item->pPrinterName, item->pDriverName, item->pPortName ? item->pPortName : ""});
    }
    return rows;
}

bool CPrinterSnapshot::KnowsName(const std::string& name) const
{
    for (unsigned i = 0; i < m_count; ++i) {
        const PRINTER_INFO_2A* item = m_list->GetItem(i);
        if (item && item->pPrinterName && MbCompareNoCase(item->pPrinterName, name) == 0)
            return true;
    }
    return false;
}

void CPrinterSnapshot::Swap(CPrinterSnapshot& other) noexcept
{
    std::swap(m_list, other.m_list);
    std::swap(m_taken, other.m_taken);
    std::swap(m_count, other.m_count);
    std::swap(m_checked, other.m_checked);
    std::swap(m_listed, other.m_listed);
    std::swap(m_unusable, other.m_unusable);
    std::swap(m_drivers, other.m_drivers);
    std::swap(m_keepHandles, other.m_keepHandles);
    std::swap(m_handles, other.m_handles);
}

HANDLE CPrinterSnapshot::KeptHandle(const std::string& printer) const
{
    const auto kept = m_handles.find(printer);
    return kept == m_handles.end() ? nullptr : kept->second.Get();
}

bool CPrinterSnapshot::CheckNext()
{
    if (m_checked >= m_count)
        return false;
    const unsigned index = m_checked++;
    const PRINTER_INFO_2A* item = m_list->GetItem(index);
    // The driver first: it costs no call to the spooler. The usability
    // check opens the printer once.
    if (!item || !IsSupported(item->pDriverName))
        return true;
    CPrinterHandle opened;
    if (IsPrinterUsable(item, m_keepHandles ? &opened : nullptr)) {
        m_listed.push_back(index);
        if (opened.IsValid())
            m_handles.emplace(item->pPrinterName, std::move(opened));
    } else if (item->pPrinterName && *item->pPrinterName)
        m_unusable.push_back(index);
    return true;
}

bool CPrinterSnapshot::IsSupported(const char* driverName)
{
    if (!driverName)
        return false;
    for (const auto& answer : m_drivers) {
        if (answer.first == driverName)
            return answer.second;
    }
    const bool supported = IsSupportedDriver(driverName);
    if (m_drivers.size() < kDriverAnswers)
        m_drivers.emplace_back(driverName, supported);
    return supported;
}
