#pragma once

// Writes the rows of a command into an .xlsx file (libxlsxwriter, constant
// memory). To be built.
