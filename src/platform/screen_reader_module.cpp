// The entry point of the screen-reading module, the only symbol it exports.
#include "platform/capture_engine.h"
#include "platform/screen_reader.h"

extern "C" __attribute__((visibility("default"))) tessivo::platform::ScreenReader*
tessivo_create_screen_reader(int interfaceVersion, int backends) {
    if (interfaceVersion != tessivo::platform::screenReaderInterface) return nullptr;
    return new tessivo::platform::CaptureEngine(backends);
}
