// The body of the DLLs that check one folder's library links against the
// folders below it alone; everything they hold comes from that library.
