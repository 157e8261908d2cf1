# One fuzz target per file fuzz_<name>.cpp, with its seed corpus in corpus/<name>/.
set(FRIMLET_FUZZ_TARGETS
  text_encoding
  csv_size_list
  stored_lines
  settings_rules
  edit_rules
  ppm_reader
  neuquant
  placement
  number_text)
