#include "platform/forms/runtime.h"

#include <exception>
#include <new>

#include "platform/desktop/desktop.h"
#include "platform/forms/not_ready.h"
#include "platform/forms/runtime_error.h"

namespace forms {

platform::Screen& Runtime::screen() { return desktop_.screen(); }

void Runtime::deliver(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const NotReady& notReady) {
    toolkit_.showStatus(notReady.status());
  } catch (const RuntimeError& error) {
    toolkit_.reportError(error);
  } catch (const std::bad_alloc&) {
    toolkit_.reportError(RuntimeError(7, "メモリが不足しています。"));
  } catch (const std::exception& error) {
    toolkit_.reportError(RuntimeError(51, std::string("内部エラーです。") + error.what()));
  }
}

}  // namespace forms
