#pragma once
// What became of a modal dialog once it has closed.

namespace koruvan {

enum class DialogResult {
    Stored,     // confirmed: what it edits was stored
    Cancelled,  // its cancel button, or Esc
    Closed,     // its close box: nothing stored
};

}  // namespace koruvan
