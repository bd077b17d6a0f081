// Stands in for a DLL dropped into the program's folder under the name of one
// that Windows loads on demand: an empty DLL, loaded or not.
