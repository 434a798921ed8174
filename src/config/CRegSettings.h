#pragma once
// Placeholder until the settings store lands.
