#pragma once

// Drains the platform's event queue once per pass. Returns false when the program should end.
bool PumpMessages();
