// The document of the single-document structure: owns the data, has a title
// that the frame shows in its caption.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace fw {

class Document {
public:
    Document();
    virtual ~Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::wstring& GetTitle() const { return title_; }
    void SetTitle(std::wstring title);

    virtual bool OnNewDocument() { return true; }
    // Before the frame closes: keeps what the user would lose. False when
    // it could not be kept, and the frame then stays open.
    virtual bool SaveModified() { return true; }
    virtual bool OnCmdMsg(UINT, CommandCall) { return false; }

private:
    std::wstring title_;
};

}  // namespace fw
