#pragma once
// What "OK" of the options dialog does to the open document windows once the
// options are written.

namespace zp {

struct AppContext;
struct OptionValues;

// Goes through the open document windows in load order twice. First the
// gutters: ticked line numbers give every gutter the line-number colour (grey
// "BBBBBB" for an empty box) and show the hidden ones, unticked hide them, and
// greyed changes nothing. Then the colours: each window comes to the front in
// turn (so the last loaded ends in front) and takes the text and background
// colours (black for an empty box), keeping its caret and its modified flag.
void applyOptionsToDocuments(AppContext &context, const OptionValues &values);

} // namespace zp
