#include "editor/running_editor.h"

namespace editor {

int WindowToFront(const SWindowFacts& frame, const std::vector<SWindowFacts>& others) {
    if (!frame.visible) return kFrontNone;
    for (std::size_t i = 0; i < others.size(); ++i) {
        const SWindowFacts& w = others[i];
        if (w.visible && w.enabled && (w.ownedByFrame || w.ownReport)) return static_cast<int>(i);
    }
    return frame.enabled ? kFrontFrame : kFrontNone;
}

}  // namespace editor
