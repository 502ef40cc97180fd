// The window factory and the program-wide user-interface services every back end provides.
#pragma once

#include <memory>

namespace qm::platform {

class Pointer;
class Clipboard;
struct MainControls;
struct PreviewControls;
struct AboutControls;
template <typename Controls>
class View;
using MainView = View<MainControls>;
using PreviewView = View<PreviewControls>;
using AboutView = View<AboutControls>;

// Makes windows and reaches the program-wide user-interface services.
class Ui {
  public:
    virtual ~Ui() = default;
    virtual std::unique_ptr<MainView> createMainWindow() = 0;
    virtual std::unique_ptr<PreviewView> createPreviewWindow() = 0;
    virtual std::unique_ptr<AboutView> createAboutWindow() = 0;
    virtual Pointer& pointer() = 0;
    virtual Clipboard& clipboard() = 0;
    // Ends the program's event loop; the process exits once the current handler returns.
    virtual void quit() = 0;
};

}  // namespace qm::platform
