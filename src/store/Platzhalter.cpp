namespace lohnwippe {}
