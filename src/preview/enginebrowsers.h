#pragma once
// The real browser controls: the browser-engine plugin is loaded when the first
// control is asked for, never at start-up.

#include "platform/browserview.h"

namespace zp {

class EngineBrowsers : public BrowserViews
{
public:
    BrowserView *create(QWidget *parent) override;
};

} // namespace zp
