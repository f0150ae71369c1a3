// A global-memory block locked for the life of the object: GlobalLock in the
// constructor, GlobalUnlock on every way out. The block itself stays its
// owner's (the clipboard's, the printer defaults' ...).
#pragma once

#include <windows.h>

class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : m_block(block), m_pData(block ? ::GlobalLock(block) : nullptr) {}
    ~CGlobalLock()
    {
        if (m_pData)
            ::GlobalUnlock(m_block);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // The block's address while locked; null when there was no block or it
    // could not be locked.
    void* Get() const { return m_pData; }
    // The block's size in bytes, at least what was asked for; 0 when not locked.
    SIZE_T Size() const { return m_pData ? ::GlobalSize(m_block) : 0; }

private:
    HGLOBAL m_block;
    void* m_pData;
};
