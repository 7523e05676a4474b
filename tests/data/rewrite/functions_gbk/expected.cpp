MessageBox_kx(h, "ÄãºÃ");//MessageBox
len = strlen_kx(s); // ³¤¶È//strlen
strcpy(a, b);
foo_kx(1);
