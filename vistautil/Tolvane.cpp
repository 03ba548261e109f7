// Placeholder translation unit until the exports are written.
