// Printers: the printer's page orientation. (The printer object itself comes with printing.)
#pragma once

enum TPrinterOrientation { poPortrait, poLandscape };
