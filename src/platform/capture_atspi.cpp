// The accessibility library's headers come first: GLib names a struct field `signals`, which Qt
// defines as a keyword.
#include <atspi/atspi.h>

#include "platform/capture_atspi.h"

namespace tessivo::platform {

namespace {

// Owns one reference of a GObject.
template <class T>
class Ref {
public:
    explicit Ref(T* p = nullptr) : p_(p) {}
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    void reset(T* p = nullptr) {
        if (p_) g_object_unref(p_);
        p_ = p;
    }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_;
};

// Every call reports its failure through a GError that must be freed; a failure is only "no text".
class Error {
public:
    ~Error() { if (e_) g_error_free(e_); }
    GError** operator&() { return &e_; }
    bool failed() const { return e_ != nullptr; }

private:
    GError* e_ = nullptr;
};

bool extentsContain(AtspiText* text, int offset, QPoint at) {
    Error error;
    AtspiRect* r = atspi_text_get_character_extents(text, offset, ATSPI_COORD_TYPE_SCREEN, &error);
    if (!r) return false;
    const bool inside = !error.failed() && at.x() >= r->x && at.x() < r->x + std::max(r->width, 1) && at.y() >= r->y &&
                        at.y() < r->y + std::max(r->height, 1);
    g_free(r);
    return inside;
}

// The character offset at `at`: the toolkit's own hit test, else a scan of the character boxes
// (some toolkits answer the hit test with -1). Checked against the character's box, so a point
// beside the text finds nothing.
int offsetAt(AtspiText* text, QPoint at) {
    Error error;
    const int offset = atspi_text_get_offset_at_point(text, at.x(), at.y(), ATSPI_COORD_TYPE_SCREEN, &error);
    if (!error.failed() && offset >= 0) return extentsContain(text, offset, at) ? offset : -1;
    Error countError;
    const int count = std::min(atspi_text_get_character_count(text, &countError), 4000);
    for (int i = 0; i < count; ++i) {
        if (extentsContain(text, i, at)) return i;
    }
    return -1;
}

void freeRange(AtspiTextRange* range) {
    if (!range) return;
    g_free(range->content);
    g_free(range);
}

std::optional<CaptureHit> lineAround(AtspiText* text, int offset) {
    Error error;
    AtspiTextRange* range = atspi_text_get_string_at_offset(text, offset, ATSPI_TEXT_GRANULARITY_LINE, &error);
    if (error.failed() || !range || !range->content || !*range->content) {
        freeRange(range);
        Error oldError;  // the older call, all some toolkits implement
        range = atspi_text_get_text_at_offset(text, offset, ATSPI_TEXT_BOUNDARY_LINE_START, &oldError);
        if (oldError.failed()) {
            freeRange(range);
            range = nullptr;
        }
    }
    if (!range) return std::nullopt;
    QString line = QString::fromUtf8(range->content ? range->content : "");
    const int index = offset - range->start_offset;
    freeRange(range);
    while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
    if (index < 0 || index >= line.toUcs4().size()) return std::nullopt;
    return trimmedAround(line, index, QStringLiteral("atspi"));
}

// The innermost accessible at `at` below `top` that has text.
Ref<AtspiText> textAt(AtspiAccessible* top, QPoint at) {
    Ref<AtspiAccessible> current(ATSPI_ACCESSIBLE(g_object_ref(top)));
    for (int depth = 0; depth < 32; ++depth) {
        Ref<AtspiComponent> component(atspi_accessible_get_component_iface(current.get()));
        if (!component) break;
        Error error;
        AtspiAccessible* child = atspi_component_get_accessible_at_point(component.get(), at.x(), at.y(), ATSPI_COORD_TYPE_SCREEN, &error);
        if (!child || child == current.get()) {
            if (child) g_object_unref(child);
            break;
        }
        current.reset(child);
    }
    // The text often sits on a parent of the hit (a scroll area's viewport).
    for (int up = 0; up < 4 && current; ++up) {
        if (AtspiText* text = atspi_accessible_get_text_iface(current.get())) return Ref<AtspiText>(text);
        if (current.get() == top) break;
        Error error;
        current.reset(atspi_accessible_get_parent(current.get(), &error));
    }
    return Ref<AtspiText>();
}

std::optional<CaptureHit> readInApplication(AtspiAccessible* app, QPoint at) {
    Error countError;
    const int windows = atspi_accessible_get_child_count(app, &countError);
    for (int i = 0; i < windows; ++i) {
        Error error;
        Ref<AtspiAccessible> window(atspi_accessible_get_child_at_index(app, i, &error));
        if (!window) continue;
        Ref<AtspiComponent> component(atspi_accessible_get_component_iface(window.get()));
        Error containsError;
        if (!component || !atspi_component_contains(component.get(), at.x(), at.y(), ATSPI_COORD_TYPE_SCREEN, &containsError))
            continue;
        Ref<AtspiText> text = textAt(window.get(), at);
        if (!text) continue;
        const int offset = offsetAt(text.get(), at);
        if (offset < 0) continue;
        if (auto hit = lineAround(text.get(), offset)) return hit;
    }
    return std::nullopt;
}

}  // namespace

CaptureHit trimmedAround(const QString& line, int index, const QString& backend, int width) {
    const QList<uint> chars = line.toUcs4();
    if (chars.size() <= width) return {line, index, backend};
    const int first = std::clamp(index - width / 2, 0, int(chars.size()) - width);
    return {QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()) + first, width), index - first, backend};
}

AtspiReader::AtspiReader() {
    ready_ = atspi_init() >= 0 && atspi_get_a11y_bus() != nullptr;
    // The library's bus messages (which keep its cache of the tree current) go to a context of
    // this reader's own, handled before each read: never on the user-interface thread, whose
    // event loop runs the default context.
    context_ = g_main_context_new();
    atspi_set_main_context(static_cast<GMainContext*>(context_));
    // A program that hangs must not hold the capture for long.
    atspi_set_timeout(300, 600);
}

AtspiReader::~AtspiReader() = default;

std::optional<CaptureHit> AtspiReader::readAt(QPoint at, std::int64_t pid) {
    if (!ready_) return std::nullopt;
    while (g_main_context_iteration(static_cast<GMainContext*>(context_), FALSE)) {
    }
    Ref<AtspiAccessible> desktop(atspi_get_desktop(0));
    if (!desktop) return std::nullopt;
    Error countError;
    const int apps = atspi_accessible_get_child_count(desktop.get(), &countError);
    for (int i = 0; i < apps; ++i) {
        Error error;
        Ref<AtspiAccessible> app(atspi_accessible_get_child_at_index(desktop.get(), i, &error));
        if (!app) continue;
        Error pidError;
        if (pid != 0 && std::int64_t(atspi_accessible_get_process_id(app.get(), &pidError)) != pid) continue;
        // Read its windows afresh: a window opened since the last look may not be cached yet.
        atspi_accessible_clear_cache(app.get());
        if (auto hit = readInApplication(app.get(), at)) return hit;
    }
    return std::nullopt;
}

}  // namespace tessivo::platform
