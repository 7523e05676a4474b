    x = "abc"
    n = 40
