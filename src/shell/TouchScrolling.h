#pragma once

class QAbstractItemView;

// Lets a list follow a gloved finger (or a held mouse button): a swipe
// scrolls with momentum, a tap still selects the row under it and a double
// tap still acts as a double click. The scroll bars stay.
void EnableTouchScrolling(QAbstractItemView *view);
