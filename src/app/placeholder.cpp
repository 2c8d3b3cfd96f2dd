// Keeps the UI library non-empty while its windows are being written.
