# help2man writes the default heading condition as one word wider than a manual page's line,
# which groff can neither break nor adjust: let it break after each group and after the ASCII
# digits of the numeral class.
/REGEX=/s/)/)\\:/g
/REGEX=/s/0\\-9/0\\-9\\:/
