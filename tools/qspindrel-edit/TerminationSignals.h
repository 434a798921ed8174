#pragma once

class QWidget;

// A request to end the program (SIGTERM, SIGINT, SIGHUP) closes `window` the
// ordinary way, so that unsaved changes are asked about instead of lost.
// Does nothing where there are no such signals.
void CloseOnTerminationSignal(QWidget *window);
